// The error curve of one verification, ready to draw: series, class band, axes and texts.
#pragma once

#include "errorcurve/curvescale.h"
#include "errorcurve/loadkind.h"

#include <QList>
#include <QString>

#include <optional>

struct CurvePoint {
    int row = -1;         // index of the result in the verification's results
    double current = 0;   // A
    double error = 0;     // %, as stored
    double plotError = 0; // where it is drawn: the error, or the axis edge beyond ±1000 %
    int overflow = 0;     // +1 or -1 when the error is beyond ±1000 %
    bool beyondLimit = false;
    std::optional<double> limit;
};

// The results of one power-factor text, joined in current order.
struct CurveSeries {
    QString powerFactor;
    LoadKind kind = LoadKind::Other;
    QList<CurvePoint> points;
};

// The permissible limits for one load over the current axis: ±limit from `from` to `to` A.
struct BandStep {
    double from = 0;
    double to = 0;
    double limit = 0;
};

struct ClassBand {
    LoadKind kind = LoadKind::Other;
    QString label;
    QList<BandStep> steps;
};

enum class CurveState { NoVerification, NoResults, NoDrawablePoints, SinglePoint, Curve };

struct ErrorCurve {
    CurveState state = CurveState::NoVerification;
    QString caption; // type, number, date, creep test, register reading
    QString message; // what is shown instead of the chart when state is not Curve
    QString note;    // results left out, a class without a table
    QList<CurveSeries> series;
    QList<ClassBand> bands;
    LogScale currentAxis;
    ValueScale errorAxis;
    int pointCount = 0;
    int beyondLimitCount = 0;
};
