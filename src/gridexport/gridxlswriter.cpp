// BIFF8 records written by hand into the "Workbook" stream of an OLE2 file made by libgsf.

// Text goes in LABEL records rather than the shared string table, so memory stays flat however
// many rows are written; the sheet offsets in BOUNDSHEET are patched once the sheets are placed.
#include "gridexport/gridxlswriter.h"

#include "gridexport/gridexporttexts.h"
#include "gridexport/gridvaluetext.h"

// GLib uses "signals" as a member name, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gsf/gsf.h>
#pragma pop_macro("signals")

#include <QDateTime>
#include <QFile>

#include <bit>
#include <cmath>
#include <cstring>
#include <mutex>

static_assert(std::endian::native == std::endian::little, "BIFF records are written in host order");

namespace
{

enum : quint16 {
    RecBof = 0x0809,
    RecEof = 0x000A,
    RecCodepage = 0x0042,
    RecWindow1 = 0x003D,
    RecFont = 0x0031,
    RecFormat = 0x041E,
    RecXf = 0x00E0,
    RecStyle = 0x0293,
    RecBoundSheet = 0x0085,
    RecSst = 0x00FC,
    RecExtSst = 0x00FF,
    RecDimensions = 0x0200,
    RecNumber = 0x0203,
    RecLabel = 0x0204,
    RecWindow2 = 0x023E,
};

// Cell formats after the 15 style XFs.
enum : quint16 { XfGeneral = 15, XfDate = 16, XfDateTime = 17, XfTitle = 18 };
enum : quint16 { FormatDate = 164, FormatDateTime = 165 };

constexpr qsizetype BufferSize = 64 * 1024;

void u8(QByteArray& b, quint8 v)
{
    b.append(static_cast<char>(v));
}

void u16(QByteArray& b, quint16 v)
{
    b.append(reinterpret_cast<const char*>(&v), 2);
}

void u32(QByteArray& b, quint32 v)
{
    b.append(reinterpret_cast<const char*>(&v), 4);
}

void header(QByteArray& b, quint16 id, qsizetype length)
{
    u16(b, id);
    u16(b, static_cast<quint16>(length));
}

void utf16(QByteArray& b, const QString& s)
{
    b.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

// A string with a 1-byte count (font and sheet names), always UTF-16.
void shortString(QByteArray& b, const QString& s)
{
    u8(b, static_cast<quint8>(s.size()));
    u8(b, 1);
    utf16(b, s);
}

// A string with a 2-byte count, always UTF-16.
void longString(QByteArray& b, const QString& s)
{
    u16(b, static_cast<quint16>(s.size()));
    u8(b, 1);
    utf16(b, s);
}

void record(QByteArray& b, quint16 id, const QByteArray& data)
{
    header(b, id, data.size());
    b.append(data);
}

void bof(QByteArray& b, quint16 type)
{
    QByteArray d;
    u16(d, 0x0600);
    u16(d, type);
    u16(d, 0x0DBB); // build
    u16(d, 0x07CC); // year 1996
    u32(d, 0);
    u32(d, 0x0006); // lowest BIFF version that can read the file
    record(b, RecBof, d);
}

void font(QByteArray& b, bool bold)
{
    QByteArray d;
    u16(d, 200); // 10 pt in twips
    u16(d, 0);
    u16(d, 0x7FFF); // automatic colour
    u16(d, bold ? 700 : 400);
    u16(d, 0);
    u8(d, 0);
    u8(d, 0);
    u8(d, 0);
    u8(d, 0);
    shortString(d, QStringLiteral("Arial"));
    record(b, RecFont, d);
}

void format(QByteArray& b, quint16 index, const QString& code)
{
    QByteArray d;
    u16(d, index);
    longString(d, code);
    record(b, RecFormat, d);
}

void xf(QByteArray& b, quint16 font, quint16 fmt, bool style, quint8 usedAttributes)
{
    QByteArray d;
    u16(d, font);
    u16(d, fmt);
    u16(d, style ? 0xFFF5 : 0x0001); // locked; a style XF has no parent
    u8(d, 0x20);                     // bottom aligned
    u8(d, 0);
    u8(d, 0);
    u8(d, usedAttributes);
    u32(d, 0);
    u32(d, 0);
    u16(d, 0x20C0); // automatic pattern colours
    record(b, RecXf, d);
}

QString sheetName(int sheet)
{
    return QStringLiteral("Лист%1").arg(sheet + 1);
}

void ensureGsf()
{
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

} // namespace

GridXlsWriter::GridXlsWriter() = default;

GridXlsWriter::~GridXlsWriter()
{
    if (m_sink)
        close(false);
}

QString GridXlsWriter::refuse(const GridRowSource& rows) const
{
    if (rows.columnCount() > MaxColumns)
        return GridExportTexts::TooManyColumns.arg(rows.columnCount());
    return {};
}

bool GridXlsWriter::open(const QString& path, const GridRowSource& rows)
{
    ensureGsf();
    GError* error = nullptr;
    // libgsf writes to a temporary file beside the target and renames it on a clean close.
    m_sink = gsf_output_stdio_new(QFile::encodeName(path).constData(), &error);
    if (!m_sink) {
        if (error)
            g_error_free(error);
        return false;
    }
    m_ole = gsf_outfile_msole_new(m_sink);
    m_stream = m_ole ? gsf_outfile_new_child(m_ole, "Workbook", FALSE) : nullptr;
    if (!m_stream) {
        close(false);
        return false;
    }

    m_rowCount = rows.rowCount();
    m_columnCount = rows.columnCount();
    m_titles.clear();
    for (int c = 0; c < m_columnCount; ++c)
        m_titles << rows.columnTitle(c);
    m_buffer.clear();
    m_buffer.reserve(BufferSize + 16 * 1024);
    m_flushed = 0;
    m_pendingPatches.clear();
    m_sheet = -1;
    m_ok = true;
    appendGlobals((m_rowCount + RowsPerSheet - 1) / RowsPerSheet);
    return true;
}

void GridXlsWriter::appendGlobals(int sheetCount)
{
    QByteArray& b = m_buffer;
    bof(b, 0x0005);
    QByteArray d;
    u16(d, 1200); // UTF-16
    record(b, RecCodepage, d);

    d.clear();
    u16(d, 0);
    u16(d, 0);
    u16(d, 16000);
    u16(d, 8000);
    u16(d, 0x0038); // horizontal and vertical scroll bars, sheet tabs
    u16(d, 0);      // active sheet
    u16(d, 0);      // first visible tab
    u16(d, 1);      // selected tabs
    u16(d, 600);    // tab bar width ratio
    record(b, RecWindow1, d);

    // Font index 4 does not exist in BIFF, so the sixth FONT record is font 6.
    for (int i = 0; i < 5; ++i)
        font(b, false);
    font(b, true);

    // Backslashes keep "/" literal: unescaped, Excel shows the reader's own date separator.
    format(b, FormatDate, QStringLiteral("dd\\/mm\\/yy"));
    format(b, FormatDateTime, QStringLiteral("dd\\/mm\\/yy\\ hh:mm:ss"));

    xf(b, 0, 0, true, 0x00);
    for (int i = 1; i < 15; ++i)
        xf(b, i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, 0xF4);
    xf(b, 0, 0, false, 0x00);              // XfGeneral
    xf(b, 0, FormatDate, false, 0x04);     // XfDate
    xf(b, 0, FormatDateTime, false, 0x04); // XfDateTime
    xf(b, 6, 0, false, 0x08);              // XfTitle: bold

    d.clear();
    u16(d, 0x8000); // built-in style on XF 0
    u8(d, 0);       // "Normal"
    u8(d, 0xFF);
    record(b, RecStyle, d);

    m_sheetOffsetAt.clear();
    for (int s = 0; s < sheetCount; ++s) {
        d.clear();
        u32(d, 0); // patched when the sheet's BOF is placed
        u8(d, 0);  // visible
        u8(d, 0);  // worksheet
        shortString(d, sheetName(s));
        m_sheetOffsetAt << m_flushed + b.size() + 4;
        record(b, RecBoundSheet, d);
    }

    // An empty shared string table: cells carry their own text.
    d.clear();
    u32(d, 0);
    u32(d, 0);
    record(b, RecSst, d);
    d.clear();
    u16(d, 8);
    record(b, RecExtSst, d);

    header(b, RecEof, 0);
}

void GridXlsWriter::patch(qint64 position, quint32 value)
{
    if (position >= m_flushed)
        std::memcpy(m_buffer.data() + (position - m_flushed), &value, 4);
    else
        m_pendingPatches.append({position, value});
}

void GridXlsWriter::beginSheet(int sheet)
{
    m_sheet = sheet;
    patch(m_sheetOffsetAt.at(sheet), static_cast<quint32>(m_flushed + m_buffer.size()));

    QByteArray& b = m_buffer;
    bof(b, 0x0010);
    const int rowsHere = std::min(RowsPerSheet, m_rowCount - sheet * RowsPerSheet);
    header(b, RecDimensions, 14);
    u32(b, 0);
    u32(b, static_cast<quint32>(rowsHere + 1));
    u16(b, 0);
    u16(b, static_cast<quint16>(m_columnCount));
    u16(b, 0);

    for (int c = 0; c < m_columnCount; ++c)
        appendLabel(0, c, XfTitle, m_titles.at(c));
}

void GridXlsWriter::endSheet(int sheet)
{
    QByteArray& b = m_buffer;
    header(b, RecWindow2, 18);
    // Grid lines, headers, zeros, outline symbols; the first sheet is also selected and shown.
    u16(b, sheet == 0 ? 0x06B6 : 0x00B6);
    u16(b, 0);
    u16(b, 0);
    u16(b, 64); // automatic grid line colour
    u16(b, 0);
    u16(b, 0);
    u16(b, 0);
    u32(b, 0);
    header(b, RecEof, 0);
}

void GridXlsWriter::appendLabel(int row, int column, quint16 xfIndex, const QString& text)
{
    const QString t = text.size() > MaxLabelChars ? text.left(MaxLabelChars) : text;
    QByteArray& b = m_buffer;
    header(b, RecLabel, 9 + t.size() * 2);
    u16(b, static_cast<quint16>(row));
    u16(b, static_cast<quint16>(column));
    u16(b, xfIndex);
    longString(b, t);
}

void GridXlsWriter::appendNumber(int row, int column, quint16 xfIndex, double value)
{
    QByteArray& b = m_buffer;
    header(b, RecNumber, 14);
    u16(b, static_cast<quint16>(row));
    u16(b, static_cast<quint16>(column));
    u16(b, xfIndex);
    b.append(reinterpret_cast<const char*>(&value), 8);
}

bool GridXlsWriter::writeTitles(const GridRowSource&)
{
    beginSheet(0);
    return flush(false);
}

bool GridXlsWriter::writeRow(const GridRowSource& rows, int row)
{
    const int sheet = row / RowsPerSheet;
    if (sheet != m_sheet) {
        endSheet(m_sheet);
        beginSheet(sheet);
    }
    const int r = row % RowsPerSheet + 1;
    for (int c = 0; c < m_columnCount; ++c) {
        const QVariant v = rows.value(row, c);
        if (v.isNull())
            continue;
        if (GridValueText::isNumber(v)) {
            const double d = v.toDouble();
            // NUMBER cannot hold NaN or infinity; keep the text the grid shows.
            if (std::isfinite(d))
                appendNumber(r, c, XfGeneral, d);
            else
                appendLabel(r, c, XfGeneral, GridValueText::text(v));
        } else if (GridValueText::isDate(v)) {
            const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0))
                                                                : v.toDateTime();
            // Serial days from 1899-12-30; before March 1900 Excel's calendar is off by a day,
            // so such dates go as text.
            const qint64 days = QDate(1899, 12, 30).daysTo(dt.date());
            if (!dt.isValid() || days < 61) {
                const QString text = GridValueText::text(v);
                if (!text.isEmpty())
                    appendLabel(r, c, XfGeneral, text);
                continue;
            }
            const int secs = dt.time().msecsSinceStartOfDay() / 1000;
            appendNumber(r, c, secs == 0 ? XfDate : XfDateTime,
                         static_cast<double>(days) + secs / 86400.0);
        } else {
            const QString text = GridValueText::text(v);
            if (!text.isEmpty())
                appendLabel(r, c, XfGeneral, text);
        }
    }
    return flush(false);
}

bool GridXlsWriter::flush(bool all)
{
    if (!m_ok)
        return false;
    if (!all && m_buffer.size() < BufferSize)
        return true;
    if (!m_buffer.isEmpty() &&
        !gsf_output_write(m_stream, static_cast<size_t>(m_buffer.size()),
                          reinterpret_cast<const guint8*>(m_buffer.constData())))
        m_ok = false;
    m_flushed += m_buffer.size();
    m_buffer.resize(0);
    return m_ok;
}

bool GridXlsWriter::finish()
{
    endSheet(m_sheet);
    if (!flush(true))
        return false;
    // Sheets placed after their BOUNDSHEET left the buffer: write their offsets in place.
    for (const auto& [position, value] : m_pendingPatches) {
        if (!gsf_output_seek(m_stream, position, G_SEEK_SET) ||
            !gsf_output_write(m_stream, 4, reinterpret_cast<const guint8*>(&value)))
            return false;
    }
    if (!m_pendingPatches.isEmpty() && !gsf_output_seek(m_stream, m_flushed, G_SEEK_SET))
        return false;
    return close(true);
}

void GridXlsWriter::discard()
{
    if (m_sink)
        close(false);
    m_buffer = QByteArray();
}

bool GridXlsWriter::close(bool keep)
{
    // An error set on the sink makes libgsf delete its temporary file instead of renaming it.
    if (!keep && m_sink)
        gsf_output_set_error(m_sink, 0, "cancelled");
    bool ok = true;
    if (m_stream) {
        ok = gsf_output_close(m_stream) && ok;
        g_object_unref(m_stream);
        m_stream = nullptr;
    }
    if (m_ole) {
        // Closing the OLE file closes the sink too.
        ok = gsf_output_close(GSF_OUTPUT(m_ole)) && ok;
        g_object_unref(m_ole);
        m_ole = nullptr;
    } else if (m_sink) {
        gsf_output_close(m_sink);
    }
    if (m_sink) {
        g_object_unref(m_sink);
        m_sink = nullptr;
    }
    return keep && ok;
}
