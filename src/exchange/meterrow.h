// The columns of one exchange-buffer meter that a meter record carries to the device.
#pragma once

#include <QString>

#include <optional>

struct MeterRow {
    QString PAddress;
    QString PTipCH;
    std::optional<long double> PReductRate; // none: the constant is empty and goes out as blanks
    QString PNumber;
};
