// The export loop shared by every format, and the choice of writer by format.
#include "gridexport/gridwriter.h"

#include "gridexport/gridcsvwriter.h"
#include "gridexport/gridexporttexts.h"
#include "gridexport/gridhtmlwriter.h"
#include "gridexport/gridrtfwriter.h"
#include "gridexport/gridtextwriter.h"
#include "gridexport/gridxlswriter.h"

#include <QSaveFile>

GridWriter::~GridWriter() = default;

std::unique_ptr<GridWriter> GridWriter::create(GridExportFormat format,
                                               const GridWriterOptions& options)
{
    switch (format) {
    case GridExportFormat::Text:
        return std::make_unique<GridTextWriter>();
    case GridExportFormat::Csv:
        return std::make_unique<GridCsvWriter>(
            GridCsvWriter::listSeparatorFor(options.decimalPoint));
    case GridExportFormat::Html:
        return std::make_unique<GridHtmlWriter>();
    case GridExportFormat::Rtf:
        return std::make_unique<GridRtfWriter>();
    case GridExportFormat::Xls:
        return std::make_unique<GridXlsWriter>();
    }
    return nullptr;
}

QString GridWriter::refuse(const GridRowSource&) const
{
    return {};
}

GridExportResult GridWriter::write(const GridRowSource& rows, const QString& path,
                                   const GridExportProgress& progress)
{
    const int count = rows.rowCount();
    if (count <= 0) {
        // Nothing selected: the file is created and left empty, whatever the format.
        QSaveFile empty(path);
        if (!empty.open(QIODevice::WriteOnly))
            return GridExportResult::failed(GridExportTexts::CannotCreate.arg(path));
        if (!empty.commit())
            return GridExportResult::failed(GridExportTexts::WriteFailed.arg(path));
        return GridExportResult::written();
    }

    QString refusal = refuse(rows);
    if (!refusal.isEmpty())
        return GridExportResult::failed(refusal);
    if (progress && !progress(0, count))
        return GridExportResult::cancelled();
    if (!open(path, rows))
        return GridExportResult::failed(GridExportTexts::CannotCreate.arg(path));

    if (!writeTitles(rows)) {
        discard();
        return GridExportResult::failed(GridExportTexts::WriteFailed.arg(path));
    }
    for (int row = 0; row < count; ++row) {
        if (!writeRow(rows, row)) {
            discard();
            return GridExportResult::failed(GridExportTexts::WriteFailed.arg(path));
        }
        if (progress && (row + 1) % ProgressStep == 0 && row + 1 < count &&
            !progress(row + 1, count)) {
            discard();
            return GridExportResult::cancelled();
        }
    }
    if (!finish()) {
        discard();
        return GridExportResult::failed(GridExportTexts::WriteFailed.arg(path));
    }
    if (progress)
        progress(count, count);
    return GridExportResult::written();
}
