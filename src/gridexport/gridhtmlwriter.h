// An HTML page in UTF-8 holding one table: a title row, then one row per grid row.
#pragma once

#include "gridexport/gridfilewriter.h"

class GridHtmlWriter : public GridFileWriter
{
  protected:
    void prologue(QByteArray& out, const GridRowSource& rows) override;
    void epilogue(QByteArray& out) override;
    bool writeTitles(const GridRowSource& rows) override;
    bool writeRow(const GridRowSource& rows, int row) override;

  private:
    void appendEscaped(const QString& text);
};
