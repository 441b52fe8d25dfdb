// The copy confirmation panel.
#include "ui/archive/sfcopy.h"

#include "core/ulang.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SFCopy::SFCopy(QWidget* parent)
    : QDialog(parent), LTip(new QLabel(this)), LCount(new QLabel(this)),
      btContinue(new QPushButton(ULang::ButtonContinue, this)),
      btCancel(new QPushButton(ULang::ButtonCancel, this))
{
    setObjectName(QStringLiteral("SFCopy"));
    setWindowTitle(ULang::CopyCaption);
    setAccessibleName(ULang::CopyCaption);
    setModal(true);
    auto* form = new QFormLayout;
    form->addRow(ULang::CopyMeterType, LTip);
    form->addRow(ULang::CopyCount, LCount);
    LTip->setAccessibleName(ULang::CopyMeterType);
    LCount->setAccessibleName(ULang::CopyCount);
    btContinue->setAccessibleName(ULang::ButtonContinue);
    btCancel->setAccessibleName(ULang::ButtonCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btContinue);
    buttons->addWidget(btCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(buttons);
    connect(btContinue, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SFCopy::SFCopyShow(const QString& meterType, int rowCount)
{
    LTip->setText(meterType);
    LCount->setText(QString::number(rowCount));
}
