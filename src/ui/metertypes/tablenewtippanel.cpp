// New device type panel: digits-only constant, completeness and duplicate checks before OK.
#include "ui/metertypes/tablenewtippanel.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/dataset.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TableNewTipPanel::TableNewTipPanel(DataSet& types, QWidget* parent)
    : QDialog(parent), ETip(new QLineEdit(this)), EReduct(new QLineEdit(this)),
      btOK(new QPushButton(ULang::ButtonOk, this)),
      btCancel(new QPushButton(ULang::ButtonCancel, this)), m_types(types)
{
    setObjectName(QStringLiteral("SFNewTip"));
    setWindowTitle(ULang::CaptionNewRecord);
    setAccessibleName(ULang::CaptionNewRecord);
    ETip->setObjectName(QStringLiteral("ETip"));
    ETip->setMaxLength(9);
    ETip->setAccessibleName(ULang::MeterType);
    EReduct->setObjectName(QStringLiteral("EReduct"));
    EReduct->setMaxLength(5);
    EReduct->setAccessibleName(ULang::MeterConstantLabel);
    EReduct->installEventFilter(this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setAutoDefault(false);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    connect(btOK, &QPushButton::clicked, this, &TableNewTipPanel::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(EReduct, &QLineEdit::editingFinished, this, &TableNewTipPanel::NormaliseReduct);

    auto* form = new QFormLayout;
    form->addRow(ULang::MeterType, ETip);
    form->addRow(ULang::MeterConstantLabel, EReduct);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setTabOrder(ETip, EReduct);
    setTabOrder(EReduct, btOK);
    setTabOrder(btOK, btCancel);
}

void TableNewTipPanel::NormaliseReduct()
{
    try {
        EReduct->setText(FloatToText(TextToFloat(EReduct->text())));
    } catch (const EConvertError& e) {
        // Digits only can be typed, but a pasted text may still be too large for a whole number.
        ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
    }
}

void TableNewTipPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    NormaliseReduct();
    ETip->setFocus();
}

bool TableNewTipPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EReduct && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Escape:
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            NormaliseReduct();
            return true;
        default:
            break;
        }
        QString text = key->text();
        bool digit =
            text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
        return !digit;
    }
    return QDialog::eventFilter(watched, event);
}

void TableNewTipPanel::keyPressEvent(QKeyEvent* event)
{
    // Enter does not close the panel: only OK does, after its checks.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event); // Esc closes as cancelled
}

void TableNewTipPanel::btOKClick()
{
    NormaliseReduct();
    if (ETip->text().isEmpty() || EReduct->text().isEmpty()) {
        ShowMessage(ULang::FillAllFields, ULang::CaptionNewRecord, MsgIcon::Warning);
        return;
    }
    ETip->setText(TrimTrailingBlanks(ETip->text()));
    // Compared ignoring letter case in every alphabet, as the archive's checks compare.
    for (int r = 0; r < m_types.RecordCount(); ++r) {
        if (QString::compare(
                m_types.Value(r, m_types.FieldIndex(QStringLiteral("PTip"))).toString(),
                ETip->text(), Qt::CaseInsensitive) == 0) {
            ShowMessage(ULang::TypeExists, ULang::CaptionNewRecord, MsgIcon::Warning);
            return;
        }
    }
    accept();
}
