// The columns of one device-type row that a type record carries to the device.
#pragma once

#include <QString>

struct TypeRow {
    QString PTip;
    long double PReductRate = 0;
};
