// CSV writer: inner quotes doubled; line breaks stay inside the quotes, as spreadsheets read them.
#include "gridexport/gridcsvwriter.h"

#include "gridexport/gridvaluetext.h"

GridCsvWriter::GridCsvWriter(QChar listSeparator) : m_separator(QString(listSeparator).toUtf8()) {}

QChar GridCsvWriter::listSeparatorFor(QChar decimalPoint)
{
    return decimalPoint == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
}

void GridCsvWriter::prologue(QByteArray& buffer, const GridRowSource&)
{
    // The byte-order mark makes spreadsheet programs read the file as UTF-8, Cyrillic included.
    buffer.append("\xEF\xBB\xBF");
}

void GridCsvWriter::appendCell(const QString& text, bool first)
{
    if (!first)
        out().append(m_separator);
    out().append('"');
    QByteArray bytes = text.toUtf8();
    if (bytes.contains('"'))
        bytes.replace("\"", "\"\"");
    out().append(bytes);
    out().append('"');
}

bool GridCsvWriter::writeTitles(const GridRowSource& rows)
{
    for (int c = 0; c < rows.columnCount(); ++c)
        appendCell(rows.columnTitle(c), c == 0);
    out().append("\r\n");
    return spill();
}

bool GridCsvWriter::writeRow(const GridRowSource& rows, int row)
{
    for (int c = 0; c < rows.columnCount(); ++c)
        appendCell(GridValueText::text(rows.value(row, c)), c == 0);
    out().append("\r\n");
    return spill();
}
