// Numeric entry fields: only digits (and the decimal point) can be typed or pasted; Enter and
// leaving the field write the number back in the program's form.
#include "widgets/numberkeyfilter.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

NumberKeyFilter::NumberKeyFilter(QLineEdit* edit, Kind kind)
    : QObject(edit), m_edit(edit), m_kind(kind)
{
}

NumberKeyFilter* NumberKeyFilter::Install(QLineEdit* edit, Kind kind)
{
    auto* filter = new NumberKeyFilter(edit, kind);
    edit->installEventFilter(filter);
    // Pasted or dropped text obeys the same rule as typed keys.
    const QString pattern =
        kind == Kind::Decimal ? QStringLiteral("[0-9.]*") : QStringLiteral("[0-9]*");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return filter;
}

bool NumberKeyFilter::Normalise(QLineEdit* edit)
{
    try {
        edit->setText(FloatToText(TextToFloat(edit->text())));
        return true;
    } catch (const EConvertError& e) {
        ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
        return false;
    }
}

bool NumberKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    // While the field is being destroyed it is no longer a line edit, and loses its focus.
    if (watched != m_edit || !qobject_cast<QLineEdit*>(watched))
        return false;
    if (event->type() == QEvent::FocusOut) {
        Normalise(m_edit);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Normalise(m_edit); // and the panel does not close
        return true;
    }
    const QString text = key->text();
    // Keys without a character (arrows, Delete, Tab, Esc) keep their usual meaning.
    if (text.isEmpty() || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab ||
        key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Backspace)
        return false;
    if (text.size() == 1) {
        QChar c = text.at(0);
        if (c.unicode() >= '0' && c.unicode() <= '9')
            return false;
        if (m_kind == Kind::Decimal && (c == QLatin1Char(',') || c == QLatin1Char('.'))) {
            m_edit->insert(QStringLiteral("."));
            return true;
        }
    }
    return true;
}
