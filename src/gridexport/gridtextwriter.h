// Tab-separated text in UTF-8: the titles, then one line per row.
#pragma once

#include "gridexport/gridfilewriter.h"

class GridTextWriter : public GridFileWriter
{
  protected:
    bool writeTitles(const GridRowSource& rows) override;
    bool writeRow(const GridRowSource& rows, int row) override;

  private:
    void appendCell(const QString& text, bool first);
};
