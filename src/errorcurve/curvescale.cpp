// Ranges and ticks of the error-curve axes.
#include "errorcurve/curvescale.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int ErrorParts = 6;
constexpr int MaxCurrentTicks = 10;
constexpr double MinPadDecades = 0.1;
constexpr double PadFraction = 0.08;

// Decade mantissas of the current ticks, densest first.
const QList<QList<double>> MantissaSets = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 5}, {1}};

QList<double> TicksOf(const QList<double>& mantissas, double lo, double hi)
{
    QList<double> out;
    const int first = static_cast<int>(std::floor(std::log10(lo)));
    const int last = static_cast<int>(std::ceil(std::log10(hi)));
    for (int e = first; e <= last; ++e) {
        for (double m : mantissas) {
            // Built from its digits, so 0.3 is 0.3 and not 3 * 0.1.
            const double v = e >= 0 ? m * std::pow(10.0, e) : m / std::pow(10.0, -e);
            if (v >= lo * (1 - 1e-12) && v <= hi * (1 + 1e-12))
                out.append(v);
        }
    }
    return out;
}

} // namespace

double CurveScale::NiceStep(double span, int parts)
{
    if (!(span > 0) || parts < 1)
        return 1;
    const double raw = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-12))
            return m * power;
    }
    return 10 * power;
}

QString CurveScale::TickLabel(double value)
{
    if (std::fabs(value) < 1e-12)
        return QStringLiteral("0");
    return QString::number(value, 'g', 6);
}

ValueScale CurveScale::ErrorAxis(double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi)
        lo = hi = 0;
    lo = std::min(lo, 0.0);
    hi = std::max(hi, 0.0);
    if (hi - lo <= 0) {
        lo = -1;
        hi = 1;
    }
    const double margin = (hi - lo) * 0.05;
    lo -= lo < 0 ? margin : 0;
    hi += hi > 0 ? margin : 0;
    ValueScale s;
    s.step = NiceStep(hi - lo, ErrorParts);
    const long long first = static_cast<long long>(std::floor(lo / s.step + 1e-9));
    const long long last = static_cast<long long>(std::ceil(hi / s.step - 1e-9));
    s.min = static_cast<double>(first) * s.step;
    s.max = static_cast<double>(last) * s.step;
    for (long long k = first; k <= last; ++k) {
        const double v = static_cast<double>(k) * s.step;
        s.ticks.append({v, TickLabel(v)});
    }
    return s;
}

LogScale CurveScale::CurrentAxis(double lo, double hi)
{
    if (!(lo > 0) || !std::isfinite(lo))
        lo = 1;
    if (!(hi >= lo) || !std::isfinite(hi))
        hi = lo;
    const double l = std::log10(lo);
    const double h = std::log10(hi);
    const double pad = std::max((h - l) * PadFraction, MinPadDecades);
    LogScale s;
    s.min = std::pow(10.0, l - pad);
    s.max = std::pow(10.0, h + pad);
    QList<double> values;
    for (const QList<double>& set : MantissaSets) {
        values = TicksOf(set, s.min, s.max);
        if (values.size() <= MaxCurrentTicks)
            break;
    }
    // Many decades: every n-th decade.
    if (values.size() > MaxCurrentTicks) {
        const int every = static_cast<int>((values.size() + MaxCurrentTicks - 1) / MaxCurrentTicks);
        QList<double> thinned;
        for (int i = 0; i < values.size(); i += every)
            thinned.append(values.at(i));
        values = thinned;
    }
    for (double v : values)
        s.ticks.append({v, TickLabel(v)});
    return s;
}
