// New meter type panel: key filters, normalised numbers, completeness and duplicate checks.
#include "ui/archive/sfnewtip.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/tdm.h"
#include "widgets/entrypanellayout.h"
#include "widgets/numberkeyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

SFNewTip::SFNewTip(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("SFNewTip"));
    EntryPanelLayout layout(this);
    ETip = layout.AddField(ULang::MeterType, 9);
    EUnom = layout.AddField(ULang::NominalVoltageLabel, 6);
    EInom = layout.AddField(ULang::NominalCurrentLabel, 6);
    EReduct = layout.AddField(ULang::MeterConstantLabel, 5);
    EClassT = layout.AddField(ULang::AccuracyClassLabel, 6);
    layout.AddButtons(btOK, btCancel);
    for (QLineEdit* e : {EUnom, EInom, EClassT})
        NumberKeyFilter::Install(e, NumberKeyFilter::Kind::Decimal);
    NumberKeyFilter::Install(EReduct, NumberKeyFilter::Kind::Whole);
    ETip->installEventFilter(this);
    connect(btOK, &QPushButton::clicked, this, &SFNewTip::btOKClick);
}

void SFNewTip::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (QLineEdit* e : {EUnom, EInom, EReduct, EClassT})
        NumberKeyFilter::Normalise(e);
    ETip->setFocus();
}

bool SFNewTip::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the designation neither closes the panel nor changes the text.
    if (watched == ETip && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SFNewTip::btOKClick()
{
    for (QLineEdit* e : {ETip, EUnom, EInom, EReduct, EClassT}) {
        if (e->text().isEmpty()) {
            ShowMessage(ULang::FillAllFields, ULang::CaptionNewRecord, MsgIcon::Warning);
            return;
        }
    }
    ETip->setText(TrimTrailingBlanks(ETip->text()));
    int found = CountMatchingRows(
        m_dm, QStringLiteral("Select PIndex from TTip where (TTip.PTipCH=?)"), {ETip->text()});
    if (found < 0)
        return;
    if (found > 0) {
        ShowMessage(ULang::TypeExists, ULang::CaptionNewRecord, MsgIcon::Warning);
        return;
    }
    accept();
}
