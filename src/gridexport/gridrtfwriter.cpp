// RTF table: each row repeats its cell definitions, as RTF readers require.
#include "gridexport/gridrtfwriter.h"

#include "gridexport/gridvaluetext.h"

#include <algorithm>

void GridRtfWriter::prologue(QByteArray& buffer, const GridRowSource& rows)
{
    buffer.append("{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1"
                  "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\n"
                  "\\f0\\fs20\n");

    const int columns = rows.columnCount();
    const int width = columns > 0 ? std::max(MinCellWidth, TableWidth / columns) : MinCellWidth;
    m_rowStart = "\\trowd\\trgaph70\\trleft0";
    for (int c = 0; c < columns; ++c) {
        m_rowStart.append("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                          "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx");
        m_rowStart.append(QByteArray::number(width * (c + 1)));
    }
    m_rowStart.append("\n\\pard\\intbl ");
}

void GridRtfWriter::epilogue(QByteArray& buffer)
{
    buffer.append("\\pard\\par\n}\n");
}

void GridRtfWriter::appendEscaped(const QString& text)
{
    QByteArray& o = out();
    for (QChar qc : text) {
        const char16_t u = qc.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            o.append('\\');
            o.append(static_cast<char>(u));
        } else if (u == '\t') {
            o.append("\\tab ");
        } else if (u == '\n') {
            o.append("\\line ");
        } else if (u < 0x20) {
            // Other control characters (a lone CR among them) have no place in the text.
        } else if (u < 0x80) {
            o.append(static_cast<char>(u));
        } else {
            // \u takes a signed 16-bit number; surrogate halves are written one by one.
            o.append("\\u");
            o.append(QByteArray::number(static_cast<int>(static_cast<int16_t>(u))));
            o.append('?');
        }
    }
}

bool GridRtfWriter::writeTitles(const GridRowSource& rows)
{
    out().append(m_rowStart);
    for (int c = 0; c < rows.columnCount(); ++c) {
        out().append("\\b ");
        appendEscaped(rows.columnTitle(c));
        out().append("\\b0\\cell ");
    }
    out().append("\\row\n");
    return spill();
}

bool GridRtfWriter::writeRow(const GridRowSource& rows, int row)
{
    out().append(m_rowStart);
    for (int c = 0; c < rows.columnCount(); ++c) {
        QVariant v = rows.value(row, c);
        if (GridValueText::isNumber(v))
            out().append("\\qr ");
        appendEscaped(GridValueText::text(v));
        out().append(GridValueText::isNumber(v) ? "\\cell\\ql " : "\\cell ");
    }
    out().append("\\row\n");
    return spill();
}
