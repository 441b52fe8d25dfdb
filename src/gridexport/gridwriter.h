// Base of the five grid writers: streams the rows of a row source into a file with progress.
#pragma once

#include "gridexport/gridexportresult.h"
#include "gridexport/gridrowsource.h"
#include "gridexport/gridsaveformat.h"

#include <QChar>
#include <QString>

#include <functional>
#include <memory>

// Called with the rows written so far and the row count; returning false cancels the export.
using GridExportProgress = std::function<bool(int rowsWritten, int rowCount)>;

struct GridWriterOptions {
    // The program's decimal point; the CSV list separator follows from it.
    QChar decimalPoint = QLatin1Char('.');
};

class GridWriter
{
  public:
    virtual ~GridWriter();

    static std::unique_ptr<GridWriter> create(GridExportFormat format,
                                              const GridWriterOptions& options = {});

    // Writes the column titles and every row of rows to path. With no rows the file is created
    // empty. The file appears under path only when complete: on cancel or failure an existing
    // file there is left untouched and nothing partial remains.
    GridExportResult write(const GridRowSource& rows, const QString& path,
                           const GridExportProgress& progress = {});

    // Rows between two progress calls.
    static constexpr int ProgressStep = 1000;

  protected:
    // A check before anything is created; returns a message for the user when the rows cannot
    // be written in this format.
    virtual QString refuse(const GridRowSource& rows) const;
    // Creates the output, hidden until finish(); false if it cannot be created.
    virtual bool open(const QString& path, const GridRowSource& rows) = 0;
    virtual bool writeTitles(const GridRowSource& rows) = 0;
    virtual bool writeRow(const GridRowSource& rows, int row) = 0;
    // Completes the file and puts it under its name.
    virtual bool finish() = 0;
    // Drops whatever was written.
    virtual void discard() = 0;
};
