// HTML table. Values are escaped, so a "<" in a meter's text stays text and never becomes markup.
#include "gridexport/gridhtmlwriter.h"

#include "gridexport/gridvaluetext.h"

void GridHtmlWriter::prologue(QByteArray& buffer, const GridRowSource&)
{
    buffer.append("<!DOCTYPE html>\n"
                  "<html>\n"
                  "<head>\n"
                  "<meta charset=\"utf-8\">\n"
                  "<title></title>\n"
                  "</head>\n"
                  "<body>\n"
                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n");
}

void GridHtmlWriter::epilogue(QByteArray& buffer)
{
    buffer.append("</table>\n"
                  "</body>\n"
                  "</html>\n");
}

void GridHtmlWriter::appendEscaped(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    QByteArray& o = out();
    for (char ch : bytes) {
        switch (ch) {
        case '&':
            o.append("&amp;");
            break;
        case '<':
            o.append("&lt;");
            break;
        case '>':
            o.append("&gt;");
            break;
        case '"':
            o.append("&quot;");
            break;
        case '\r':
            break;
        case '\n':
            o.append("<br>");
            break;
        default:
            o.append(ch);
        }
    }
}

bool GridHtmlWriter::writeTitles(const GridRowSource& rows)
{
    out().append("<tr>");
    for (int c = 0; c < rows.columnCount(); ++c) {
        out().append("<th>");
        appendEscaped(rows.columnTitle(c));
        out().append("</th>");
    }
    out().append("</tr>\n");
    return spill();
}

bool GridHtmlWriter::writeRow(const GridRowSource& rows, int row)
{
    out().append("<tr>");
    for (int c = 0; c < rows.columnCount(); ++c) {
        QVariant v = rows.value(row, c);
        out().append(GridValueText::isNumber(v) ? "<td align=\"right\">" : "<td>");
        appendEscaped(GridValueText::text(v));
        out().append("</td>");
    }
    out().append("</tr>\n");
    return spill();
}
