// Entry panel building blocks and their duplicate-check query.
#include "widgets/entrypanellayout.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/tdm.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EntryPanelLayout::EntryPanelLayout(QDialog* panel) : m_panel(panel), m_form(new QFormLayout)
{
    panel->setWindowTitle(ULang::CaptionNewRecord);
    panel->setAccessibleName(ULang::CaptionNewRecord);
    panel->setModal(true);
    auto* outer = new QVBoxLayout(panel);
    outer->addLayout(m_form);
}

QLineEdit* EntryPanelLayout::AddField(const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(m_panel);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setAccessibleName(label);
    edit->setToolTip(label);
    m_form->addRow(label, edit);
    return edit;
}

void EntryPanelLayout::AddButtons(QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(ULang::ButtonOk, m_panel);
    cancel = new QPushButton(ULang::ButtonCancel, m_panel);
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setAccessibleName(b->text());
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    static_cast<QVBoxLayout*>(m_panel->layout())->addLayout(row);
    QObject::connect(cancel, &QPushButton::clicked, m_panel, &QDialog::reject);
}

int CountMatchingRows(TDM& dm, const QString& sql, const QVariantList& bindings)
{
    DataSet& q = *dm.ADOQueryIdent;
    q.Close();
    q.SetCommandText(sql, bindings);
    try {
        q.Open();
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
        return -1;
    }
    int rows = q.RecordCount();
    q.Close();
    return rows;
}
