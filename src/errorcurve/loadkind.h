// Which row of the class-limit table a power-factor text of a result falls under.
#pragma once

#include <QString>

enum class LoadKind {
    Unity,         // 1
    Reduced,       // 0.5 inductive, 0.8 capacitive
    LowInductive,  // 0.25 inductive
    LowCapacitive, // 0.5 capacitive
    Other          // no limit is set for it
};

// Reads a stored power-factor text: a number, optionally "/" and a mark ("1.00", "0.5/L",
// "0.8/C"). A number without a mark counts as the load the table expects for it.
LoadKind LoadKindOf(const QString& powerFactorText);
