// One verification as the error curve reads it from the archive or the exchange buffer.
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// A measurement result; values as stored (null when empty).
struct ResultRow {
    QVariant voltage; // PUMeasure, V
    QVariant current; // PIMeasure, A
    QVariant power;   // PPowerMeasure, W
    QString powerFactor;
    QVariant error; // PMistakeMeasure, %
};

struct VerificationData {
    bool present = false; // false: no verification is current
    QString type;
    QString number;
    QVariant date;
    QVariant samohod;
    QVariant reading;
    // Archive meters only; null for buffer meters, which carry no class.
    QVariant accuracyClass;
    QVariant nominalCurrent;
    QList<ResultRow> results;
};
