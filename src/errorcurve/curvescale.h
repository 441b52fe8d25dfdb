// Axis ranges and ticks of the error curve: a linear error axis and a logarithmic current axis.
#pragma once

#include <QList>
#include <QString>

struct AxisTick {
    double value = 0;
    QString label;
};

// A linear axis from min to max with ticks every step (min and max are multiples of it).
struct ValueScale {
    double min = -1;
    double max = 1;
    double step = 0.5;
    QList<AxisTick> ticks;
};

// A logarithmic axis from min to max (both > 0) with labelled ticks at round values.
struct LogScale {
    double min = 1;
    double max = 10;
    QList<AxisTick> ticks;
};

class CurveScale
{
  public:
    // Error axis over [lo, hi], zero always in view, with a small margin and round ends.
    static ValueScale ErrorAxis(double lo, double hi);
    // Current axis over [lo, hi] (both > 0) with a margin of a fraction of a decade on each side;
    // ticks on 1-2-...-9, 1-2-5 or whole decades, whichever keeps them readable.
    static LogScale CurrentAxis(double lo, double hi);
    // A round step (1, 2, 2.5 or 5 times a power of ten) that cuts span into about `parts` parts.
    static double NiceStep(double span, int parts);
    // An axis value as its label: at most six significant digits, "." as separator.
    static QString TickLabel(double value);
};
