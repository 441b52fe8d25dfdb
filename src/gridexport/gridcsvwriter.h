// CSV writer: UTF-8 with a byte-order mark, every value in double quotes.
#pragma once

#include "gridexport/gridfilewriter.h"

class GridCsvWriter : public GridFileWriter
{
  public:
    explicit GridCsvWriter(QChar listSeparator = QLatin1Char(','));

    // ";" where the decimal point is ",", otherwise ",".
    static QChar listSeparatorFor(QChar decimalPoint);

  protected:
    void prologue(QByteArray& out, const GridRowSource& rows) override;
    bool writeTitles(const GridRowSource& rows) override;
    bool writeRow(const GridRowSource& rows, int row) override;

  private:
    void appendCell(const QString& text, bool first);

    QByteArray m_separator;
};
