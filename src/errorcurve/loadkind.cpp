// Power-factor texts of results sorted into the loads of the class-limit table.
#include "errorcurve/loadkind.h"

#include "core/utools.h"

#include <cmath>

namespace
{

enum class Mark { None, Inductive, Capacitive, Unknown };

// The device marks the load with a letter; the Russian letters are accepted as typed by hand.
Mark MarkOf(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t.isEmpty())
        return Mark::None;
    const QChar c = t.front();
    if (c == QLatin1Char('L') || c == QChar(0x0418)) // И (индуктивная)
        return Mark::Inductive;
    if (c == QLatin1Char('C') || c == QChar(0x0421) || c == QChar(0x0415)) // С, Е (емкостная)
        return Mark::Capacitive;
    return Mark::Unknown;
}

bool Near(double value, double target)
{
    return std::fabs(value - target) <= 1e-6;
}

} // namespace

LoadKind LoadKindOf(const QString& powerFactorText)
{
    const int slash = powerFactorText.indexOf(QLatin1Char('/'));
    const QString number = (slash < 0 ? powerFactorText : powerFactorText.left(slash)).trimmed();
    const Mark mark = slash < 0 ? Mark::None : MarkOf(powerFactorText.mid(slash + 1));
    if (number.isEmpty())
        return LoadKind::Other;
    double k = 0;
    try {
        k = std::fabs(static_cast<double>(TextToFloat(number)));
    } catch (const EConvertError&) {
        return LoadKind::Other;
    }
    if (Near(k, 1.0))
        return LoadKind::Unity;
    if (mark == Mark::Unknown)
        return LoadKind::Other;
    if (Near(k, 0.5))
        return mark == Mark::Capacitive ? LoadKind::LowCapacitive : LoadKind::Reduced;
    if (Near(k, 0.8))
        return mark == Mark::Inductive ? LoadKind::Other : LoadKind::Reduced;
    if (Near(k, 0.25))
        return mark == Mark::Capacitive ? LoadKind::Other : LoadKind::LowInductive;
    return LoadKind::Other;
}
