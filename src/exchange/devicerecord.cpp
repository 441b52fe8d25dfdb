// Letter access to the values of a device record.
#include "exchange/devicerecord.h"

QString* DeviceRecord::Slot(char letter)
{
    return const_cast<QString*>(static_cast<const DeviceRecord*>(this)->Slot(letter));
}

const QString* DeviceRecord::Slot(char letter) const
{
    switch (letter) {
    case 'D':
        return &D;
    case 'A':
        return &A;
    case 'N':
        return &N;
    case 'T':
        return &T;
    case 'P':
        return &P;
    case 'U':
        return &U;
    case 'I':
        return &I;
    case 'M':
        return &M;
    case 'K':
        return &K;
    case 'S':
        return &S;
    case 'F':
        return &F;
    case 'E':
        return &E;
    case 'C':
        return &C;
    default:
        return nullptr;
    }
}

void DeviceRecord::Clear()
{
    for (const char* l = Letters; *l; ++l)
        Slot(*l)->clear();
    BlankIdent = false;
}

bool DeviceRecord::IsEmpty() const
{
    for (const char* l = Letters; *l; ++l) {
        if (!Slot(*l)->isEmpty())
            return false;
    }
    return true;
}
