// Texts of the error curve: the caption line, a point's values and the loads of the bands.
#pragma once

#include "errorcurve/loadkind.h"
#include "errorcurve/verificationdata.h"

#include <QString>

class CurveTexts
{
  public:
    // "<type> № <number>, поверка <date>, самоход: <text>, показание счетчика: <reading>".
    static QString Caption(const VerificationData& data);
    // U, I, P, power factor and error of a result, the error as the grids show it (">1000").
    static QString PointHint(const ResultRow& row);
    // The power factors of a band's load: "1", "0.5 L, 0.8 C", "0.25 L", "0.5 C".
    static QString LoadLabel(LoadKind kind);
};
