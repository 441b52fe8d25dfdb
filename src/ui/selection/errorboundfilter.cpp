// Error bound edits: what can be typed into them and how their text is written back.
#include "ui/selection/errorboundfilter.h"

#include "core/utools.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

ErrorBoundFilter::ErrorBoundFilter(QLineEdit* edit, bool minusAllowed)
    : QObject(edit), m_edit(edit), m_minusAllowed(minusAllowed)
{
}

ErrorBoundFilter* ErrorBoundFilter::Install(QLineEdit* edit, bool minusAllowed)
{
    auto* filter = new ErrorBoundFilter(edit, minusAllowed);
    edit->installEventFilter(filter);
    // Pasted or dropped text obeys the same rule as typed keys.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(minusAllowed ? QStringLiteral("[-0-9.]*") : QStringLiteral("[0-9.]*")),
        edit));
    return filter;
}

void ErrorBoundFilter::Normalise(QLineEdit* edit)
{
    try {
        edit->setText(FloatToText(TextToFloat(edit->text())));
    } catch (const EConvertError&) {
        // Only a whole number beyond 32 bits is refused, which seven characters cannot hold.
        edit->setText(QStringLiteral("0"));
    }
}

bool ErrorBoundFilter::eventFilter(QObject* watched, QEvent* event)
{
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
        Normalise(m_edit);
        return true; // Enter itself is discarded
    }
    const QString text = key->text();
    // Keys without a character (arrows, Delete, Tab, Esc) and shortcuts keep their meaning.
    if (text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        (key->modifiers() & Qt::ControlModifier))
        return false;
    if (text.size() == 1) {
        const QChar c = text.at(0);
        if (c == QLatin1Char(',')) {
            m_edit->insert(QStringLiteral("."));
            return true;
        }
        if (c.isDigit() && c.unicode() < 128)
            return false;
        if (c == QLatin1Char('.') || (m_minusAllowed && c == QLatin1Char('-')))
            return false;
    }
    return true;
}
