// The columns of one exchange-buffer meter that a meter record carries to the device.
#pragma once

#include <QString>

struct MeterRow {
    QString PAddress;
    QString PTipCH;
    long double PReductRate = 0;
    QString PNumber;
};
