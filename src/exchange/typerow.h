// The columns of one device-type row that a type record carries to the device.
#pragma once

#include <QString>

#include <optional>

struct TypeRow {
    QString PTip;
    std::optional<long double> PReductRate; // none: the constant is empty and goes out as blanks
};
