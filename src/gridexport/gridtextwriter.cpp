// Tab-separated text; tabs and line breaks inside a value become blanks so cells never shift.
#include "gridexport/gridtextwriter.h"

#include "gridexport/gridvaluetext.h"

namespace
{

bool hasBreaks(const QString& text)
{
    for (QChar c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return true;
    return false;
}

} // namespace

void GridTextWriter::appendCell(const QString& text, bool first)
{
    if (!first)
        out().append('\t');
    if (!hasBreaks(text)) {
        out().append(text.toUtf8());
        return;
    }
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : flat)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    out().append(flat.toUtf8());
}

bool GridTextWriter::writeTitles(const GridRowSource& rows)
{
    for (int c = 0; c < rows.columnCount(); ++c)
        appendCell(rows.columnTitle(c), c == 0);
    out().append("\r\n");
    return spill();
}

bool GridTextWriter::writeRow(const GridRowSource& rows, int row)
{
    for (int c = 0; c < rows.columnCount(); ++c)
        appendCell(GridValueText::text(rows.value(row, c)), c == 0);
    out().append("\r\n");
    return spill();
}
