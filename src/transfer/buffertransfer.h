// Copies archive meters into the exchange buffer (drops of archive rows on the exchange window).
#pragma once

#include "database/rowselection.h"

class TDM;

class BufferTransfer
{
  public:
    explicit BufferTransfer(TDM& dm);

    // Every meter of each archive type chosen in the types grid; returns the buffer rows added.
    int ATransInTip(const RowSelection& types);
    // The archive meters chosen in the meters grid, under the current type.
    int ATransIdent(const RowSelection& meters);

  private:
    bool CopyCurrentMeter(int& added);
    bool CopyTypeMeters(int& added);

    TDM& m_dm;
};
