// The class-limit table and the look-up of a limit by current and load.
#include "errorcurve/classlimits.h"

#include <cmath>
#include <limits>

namespace
{

constexpr double Open = std::numeric_limits<double>::infinity();
// Currents are ratios of measured values; one that lands a hair off a row boundary (0.3 A of 3 A)
// counts as on it.
constexpr double Tolerance = 1e-9;

bool Same(double a, double b)
{
    return std::fabs(a - b) <= 1e-9;
}

} // namespace

// Limits of the basic error at balanced load, from GOST 31819.21-2012 table 6 (classes 1 and 2;
// identical to IEC 62053-21) and GOST 31819.22-2012, 8.1, the table for balanced loads (class
// 0.5S; identical to IEC 62053-22). Classes 1 and 2 use the rows of direct-connected meters, the
// current taken relative to the basic current, which is the type's nominal current PInom here;
// 0.5S meters are transformer-operated, relative to the rated current. The rows the standards set
// "on the user's request" (0.25 inductive, 0.5 capacitive) are included. The maximum current is
// not stored, so the rows up to Imax are open-ended.
std::optional<ClassLimits> ClassLimits::ForClass(double accuracyClass)
{
    using K = LoadKind;
    if (Same(accuracyClass, 0.5)) {
        return ClassLimits(QStringLiteral("0.5S"), {{K::Unity, {0.01, 0.05, false, 1.0}},
                                                    {K::Unity, {0.05, Open, false, 0.5}},
                                                    {K::Reduced, {0.02, 0.1, false, 1.0}},
                                                    {K::Reduced, {0.1, Open, false, 0.6}},
                                                    {K::LowInductive, {0.1, 1.0, true, 1.0}},
                                                    {K::LowCapacitive, {0.1, 1.0, true, 1.0}}});
    }
    if (Same(accuracyClass, 1.0)) {
        return ClassLimits(QStringLiteral("1"), {{K::Unity, {0.05, 0.1, false, 1.5}},
                                                 {K::Unity, {0.1, Open, false, 1.0}},
                                                 {K::Reduced, {0.1, 0.2, false, 1.5}},
                                                 {K::Reduced, {0.2, Open, false, 1.0}},
                                                 {K::LowInductive, {0.2, 1.0, true, 3.5}},
                                                 {K::LowCapacitive, {0.2, 1.0, true, 2.5}}});
    }
    if (Same(accuracyClass, 2.0)) {
        // Class 2 has no rows for 0.25 inductive and 0.5 capacitive.
        return ClassLimits(QStringLiteral("2"), {{K::Unity, {0.05, 0.1, false, 2.5}},
                                                 {K::Unity, {0.1, Open, false, 2.0}},
                                                 {K::Reduced, {0.1, 0.2, false, 2.5}},
                                                 {K::Reduced, {0.2, Open, false, 2.0}}});
    }
    return std::nullopt;
}

QList<LimitStep> ClassLimits::Steps(LoadKind kind) const
{
    QList<LimitStep> steps;
    for (const Row& r : m_rows) {
        if (r.kind == kind)
            steps.append(r.step);
    }
    return steps;
}

std::optional<double> ClassLimits::Limit(LoadKind kind, double currentRatio) const
{
    if (!std::isfinite(currentRatio))
        return std::nullopt;
    for (const Row& r : m_rows) {
        if (r.kind != kind)
            continue;
        const LimitStep& s = r.step;
        const bool aboveFrom = currentRatio >= s.from * (1 - Tolerance);
        const bool belowTo = s.toIncluded ? currentRatio <= s.to * (1 + Tolerance)
                                          : currentRatio < s.to * (1 - Tolerance);
        if (aboveFrom && belowTo)
            return s.limit;
    }
    return std::nullopt;
}
