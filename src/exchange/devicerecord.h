// The thirteen lettered values of one record the device sends.
#pragma once

#include <QString>

class DeviceRecord
{
  public:
    // The letters in the order they are looked for in a record.
    static constexpr const char* Letters = "DANTPUIMKSFEC";

    QString D; // date of the verification, dd/mm/yy
    QString A; // meter address
    QString N; // serial number
    QString T; // type designation
    QString P; // meter constant
    QString U; // voltage
    QString I; // current
    QString M; // power
    QString K; // power factor
    QString S; // error, per cent
    QString F; // power-factor suffix
    QString E; // register reading
    QString C; // creep-test state
    // This record's identification is incomplete: a blank address, serial number, type or
    // constant, or a meter record lacking one of them. Its meter or type is not stored.
    bool BlankIdent = false;

    // The value slot of a letter, or nullptr for a letter the program does not know.
    QString* Slot(char letter);
    const QString* Slot(char letter) const;
    void Clear();
    bool IsEmpty() const;
};
