// RTF writer: one table, non-ASCII text as \uN? escapes so Cyrillic shows in any word processor.
#pragma once

#include "gridexport/gridfilewriter.h"

class GridRtfWriter : public GridFileWriter
{
  public:
    // Width of the table in twips: A4 portrait less 2 cm margins.
    static constexpr int TableWidth = 9638;
    // Narrower cells would break every word.
    static constexpr int MinCellWidth = 700;

  protected:
    void prologue(QByteArray& out, const GridRowSource& rows) override;
    void epilogue(QByteArray& out) override;
    bool writeTitles(const GridRowSource& rows) override;
    bool writeRow(const GridRowSource& rows, int row) override;

  private:
    void appendEscaped(const QString& text);

    QByteArray m_rowStart; // the row and cell definitions, the same for every row
};
