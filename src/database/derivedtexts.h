// Texts computed for reports from stored values: creep test and error.
#pragma once

#include <QString>
#include <QVariant>

// "нет" for 0 or 1 (empty counts as 0), "не проводился" for 99, "есть" otherwise.
QString PSamohodSText(const QVariant& samohod);

// ">1000" beyond ±1000, else fixed with two decimals (empty counts as 0).
QString PMistMeasureText(const QVariant& mistake);

// Fixed notation after rounding to 15 significant digits, then half away from zero.
QString FixedText(double value, int decimals);
