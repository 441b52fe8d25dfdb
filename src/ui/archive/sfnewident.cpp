// New meter panel: the year takes digits only; a meter must be new within the current type.
#include "ui/archive/sfnewident.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/tdm.h"
#include "widgets/entrypanellayout.h"
#include "widgets/numberkeyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

SFNewIdent::SFNewIdent(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("SFNewIdent"));
    EntryPanelLayout layout(this);
    ENum = layout.AddField(ULang::SerialNumberLabel, 9);
    EAddress = layout.AddField(ULang::AddressLabel, 16);
    // The column holds 16 characters: a longer maker could not be stored as typed.
    EMaker = layout.AddField(ULang::Maker, 16);
    EYear = layout.AddField(ULang::YearOfManufacture, 0);
    layout.AddButtons(btOK, btCancel);
    NumberKeyFilter::Install(EYear, NumberKeyFilter::Kind::Whole);
    for (QLineEdit* e : {ENum, EAddress, EMaker})
        e->installEventFilter(this);
    setTabOrder(ENum, EAddress);
    setTabOrder(EAddress, EMaker);
    setTabOrder(EMaker, EYear);
    connect(btOK, &QPushButton::clicked, this, &SFNewIdent::btOKClick);
}

bool SFNewIdent::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SFNewIdent::btOKClick()
{
    for (QLineEdit* e : {ENum, EMaker, EAddress, EYear}) {
        if (e->text().isEmpty()) {
            ShowMessage(ULang::FillAllFields, ULang::CaptionNewRecord, MsgIcon::Warning);
            return;
        }
    }
    // A year that is no 32-bit number could not be stored: say so here, not after the append.
    if (!NumberKeyFilter::Normalise(EYear))
        return;
    ENum->setText(TrimTrailingBlanks(ENum->text()));
    EAddress->setText(TrimTrailingBlanks(EAddress->text()));
    const QVariant type = m_dm.ADOTip->Value(QStringLiteral("PIndex"));
    int found =
        CountMatchingRows(m_dm,
                          QStringLiteral("Select PIndex from TIdent where (Tident.PNumber=?) and "
                                         "(Tident.PAddress=?) and (Tident.PSecIndex=?)"),
                          {ENum->text(), EAddress->text(), type.isNull() ? QVariant(0) : type});
    if (found < 0)
        return;
    if (found > 0) {
        ShowMessage(ULang::MeterExists, ULang::CaptionNewRecord, MsgIcon::Warning);
        return;
    }
    accept();
}
