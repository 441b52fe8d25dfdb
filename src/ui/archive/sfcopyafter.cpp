// The copy report panel.
#include "ui/archive/sfcopyafter.h"

#include "core/ulang.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SFCopyAfter::SFCopyAfter(QWidget* parent)
    : QDialog(parent), LTotal(new QLabel(this)), LCopied(new QLabel(this)),
      LSkipped(new QLabel(this)), btOK(new QPushButton(ULang::ButtonOk, this))
{
    setObjectName(QStringLiteral("SFCopyAfter"));
    setWindowTitle(ULang::CopyReportCaption);
    setAccessibleName(ULang::CopyReportCaption);
    setModal(true);
    auto* form = new QFormLayout;
    form->addRow(ULang::CopyTotal, LTotal);
    form->addRow(ULang::CopyDone, LCopied);
    form->addRow(ULang::CopySkipped, LSkipped);
    LTotal->setAccessibleName(ULang::CopyTotal);
    LCopied->setAccessibleName(ULang::CopyDone);
    LSkipped->setAccessibleName(ULang::CopySkipped);
    btOK->setAccessibleName(ULang::ButtonOk);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(buttons);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
}

void SFCopyAfter::SetCounts(int total, int copied, int skipped)
{
    LTotal->setText(QString::number(total));
    LCopied->setText(QString::number(copied));
    LSkipped->setText(QString::number(skipped));
}
