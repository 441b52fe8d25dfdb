// Series, limits, axes and texts of the error curve of one verification.
#include "errorcurve/errorcurvebuilder.h"

#include "core/ulang.h"
#include "core/utools.h"
#include "errorcurve/classlimits.h"
#include "errorcurve/curvetexts.h"

#include <algorithm>
#include <cmath>

namespace
{

// Errors beyond this are shown as ">1000" in the grids; the chart marks them at the axis edge.
constexpr double OverflowError = 1000;

std::optional<double> Finite(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The limits of the meter's class, when it is an archive meter of a class the table covers.
std::optional<ClassLimits> LimitsOf(const VerificationData& data, double& nominal, QString& note)
{
    const std::optional<double> classT = Finite(data.accuracyClass);
    if (!classT)
        return std::nullopt; // buffer meters carry no class
    std::optional<ClassLimits> limits = ClassLimits::ForClass(*classT);
    if (!limits) {
        note = ULang::CurveClassUnknown.arg(FloatToText(*classT));
        return std::nullopt;
    }
    const std::optional<double> inom = Finite(data.nominalCurrent);
    if (!inom || *inom <= 0) {
        note = ULang::CurveNoNominalCurrent;
        return std::nullopt;
    }
    nominal = *inom;
    return limits;
}

void AppendNote(QString& note, const QString& text)
{
    if (!note.isEmpty())
        note += QLatin1Char(' ');
    note += text;
}

} // namespace

ErrorCurve ErrorCurveBuilder::Build(const VerificationData& data)
{
    ErrorCurve curve;
    if (!data.present) {
        curve.state = CurveState::NoVerification;
        curve.message = ULang::CurveNoVerification;
        return curve;
    }
    curve.caption = CurveTexts::Caption(data);
    if (data.results.isEmpty()) {
        curve.state = CurveState::NoResults;
        curve.message = ULang::CurveNoResults;
        return curve;
    }

    double nominal = 0;
    QString note;
    const std::optional<ClassLimits> limits = LimitsOf(data, nominal, note);

    // One series per power-factor text, in the order the texts first occur.
    int skipped = 0;
    int lastDrawable = -1;
    double minCurrent = 0;
    double maxCurrent = 0;
    for (int r = 0; r < data.results.size(); ++r) {
        const ResultRow& row = data.results.at(r);
        const std::optional<double> current = Finite(row.current);
        const std::optional<double> error = Finite(row.error);
        // A logarithmic axis has no place for a current of zero.
        if (!current || *current <= 0 || !error) {
            ++skipped;
            continue;
        }
        const QString pf = TrimTrailingBlanks(row.powerFactor).trimmed();
        auto it = std::find_if(curve.series.begin(), curve.series.end(),
                               [&pf](const CurveSeries& s) { return s.powerFactor == pf; });
        if (it == curve.series.end()) {
            curve.series.append({pf, LoadKindOf(pf), {}});
            it = curve.series.end() - 1;
        }
        CurvePoint p;
        p.row = r;
        p.current = *current;
        p.error = *error;
        if (std::fabs(*error) > OverflowError)
            p.overflow = *error > 0 ? 1 : -1;
        if (limits) {
            p.limit = limits->Limit(it->kind, *current / nominal);
            p.beyondLimit = p.limit && std::fabs(*error) > *p.limit;
        }
        it->points.append(p);
        minCurrent = curve.pointCount == 0 ? *current : std::min(minCurrent, *current);
        maxCurrent = curve.pointCount == 0 ? *current : std::max(maxCurrent, *current);
        ++curve.pointCount;
        lastDrawable = r;
    }
    if (skipped > 0)
        AppendNote(note, ULang::CurveSkipped.arg(skipped));
    curve.note = note;

    if (curve.pointCount == 0) {
        curve.state = CurveState::NoDrawablePoints;
        curve.message = ULang::CurveNothingDrawable;
        curve.series.clear();
        return curve;
    }
    if (curve.pointCount == 1) {
        curve.state = CurveState::SinglePoint;
        curve.message = ULang::CurveSinglePoint + QLatin1Char('\n') +
                        CurveTexts::PointHint(data.results.at(lastDrawable));
        curve.series.clear();
        return curve;
    }
    curve.state = CurveState::Curve;
    for (CurveSeries& s : curve.series) {
        std::stable_sort(
            s.points.begin(), s.points.end(),
            [](const CurvePoint& a, const CurvePoint& b) { return a.current < b.current; });
    }
    curve.currentAxis = CurveScale::CurrentAxis(minCurrent, maxCurrent);

    // The bands of the loads present, cut to the current axis.
    double lo = 0;
    double hi = 0;
    if (limits) {
        for (const CurveSeries& s : curve.series) {
            const QList<LimitStep> steps = limits->Steps(s.kind);
            if (steps.isEmpty() ||
                std::any_of(curve.bands.begin(), curve.bands.end(),
                            [&s](const ClassBand& b) { return b.kind == s.kind; }))
                continue;
            ClassBand band;
            band.kind = s.kind;
            band.label = ULang::CurveBand.arg(limits->Name(), CurveTexts::LoadLabel(s.kind));
            for (const LimitStep& step : steps) {
                const double from = std::max(step.from * nominal, curve.currentAxis.min);
                const double to = std::min(step.to * nominal, curve.currentAxis.max);
                if (from >= to)
                    continue;
                band.steps.append({from, to, step.limit});
                lo = std::min(lo, -step.limit);
                hi = std::max(hi, step.limit);
            }
            if (!band.steps.isEmpty())
                curve.bands.append(band);
        }
    }
    for (const CurveSeries& s : curve.series) {
        for (const CurvePoint& p : s.points) {
            if (p.overflow == 0) {
                lo = std::min(lo, p.error);
                hi = std::max(hi, p.error);
            }
            if (p.beyondLimit)
                ++curve.beyondLimitCount;
        }
    }
    curve.errorAxis = CurveScale::ErrorAxis(lo, hi);
    for (CurveSeries& s : curve.series) {
        for (CurvePoint& p : s.points) {
            p.plotError = p.overflow > 0   ? curve.errorAxis.max
                          : p.overflow < 0 ? curve.errorAxis.min
                                           : p.error;
        }
    }
    if (limits)
        AppendNote(curve.note,
                   ULang::CurveBeyondLimits.arg(curve.beyondLimitCount).arg(curve.pointCount));
    return curve;
}
