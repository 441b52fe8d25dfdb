// Excel 97 (.xls, BIFF8) writer: titles first, numbers and dates as NUMBER, text as LABEL.
#pragma once

#include "gridexport/gridwriter.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <utility>

typedef struct _GsfOutput GsfOutput;
typedef struct _GsfOutfile GsfOutfile;

class GridXlsWriter : public GridWriter
{
  public:
    GridXlsWriter();
    ~GridXlsWriter() override;

    // A BIFF8 sheet has 65536 rows; one holds the titles, so longer exports continue on further
    // sheets ("Лист2", …), each starting with the titles again.
    static constexpr int RowsPerSheet = 65535;
    static constexpr int MaxColumns = 256;
    // Text that fits one LABEL record (8224 bytes less the cell header, UTF-16); longer text is
    // cut.
    static constexpr int MaxLabelChars = 4107;

  protected:
    QString refuse(const GridRowSource& rows) const override;
    bool open(const QString& path, const GridRowSource& rows) override;
    bool writeTitles(const GridRowSource& rows) override;
    bool writeRow(const GridRowSource& rows, int row) override;
    bool finish() override;
    void discard() override;

  private:
    void appendGlobals(int sheetCount);
    void beginSheet(int sheet);
    void endSheet(int sheet);
    void appendLabel(int row, int column, quint16 xf, const QString& text);
    void appendNumber(int row, int column, quint16 xf, double value);
    // Writes the buffer out once it is large, or always with all set; false on a write error.
    bool flush(bool all);
    // Puts a 4-byte value at a stream position, now if it is still buffered, else at finish().
    void patch(qint64 position, quint32 value);
    // Closes the file, renaming it into place when keep is set; true if it was kept.
    bool close(bool keep);

    GsfOutput* m_sink = nullptr;
    GsfOutfile* m_ole = nullptr;
    GsfOutput* m_stream = nullptr;
    QByteArray m_buffer;
    qint64 m_flushed = 0;          // bytes of the stream already handed to libgsf
    QList<qint64> m_sheetOffsetAt; // stream position of each BOUNDSHEET's offset field
    QList<std::pair<qint64, quint32>> m_pendingPatches;
    QStringList m_titles; // repeated at the top of every sheet
    int m_rowCount = 0;
    int m_columnCount = 0;
    int m_sheet = -1;
    bool m_ok = true;
};
