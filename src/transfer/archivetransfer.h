// Moves buffer meters, verifications and results into the archive, and copies external rows in
// as archive meters; works on the data module's views only, so windows and tests share it.
#pragma once

#include "database/rowselection.h"

#include <QString>

#include <functional>

class DataSet;
class TDM;

// Called after each source row: rows done of total. Returning false stops the transfer before
// the next row, which is safe because every row already posted is complete on its own.
using TransferProgress = std::function<bool(int done, int total)>;

class ArchiveTransfer
{
  public:
    // Done: every row was processed. Refused: a post was refused (its message has been shown,
    // the refused row stays pending in its view) or the database failed; rows after it were not
    // processed. Stopped: the progress callback asked to stop.
    enum class Outcome { Done, Refused, Stopped };
    enum class CopyResult { Copied, Skipped, Refused };
    struct CopyCounts {
        int total = 0;
        int copied = 0;
        int skipped = 0;
        bool refused = false;
    };

    explicit ArchiveTransfer(TDM& dm);

    // The current buffer meter with all its verifications and their results; false when a post
    // was refused or the database failed (after the message).
    bool TransIdentRecord();
    // Buffer meters chosen in the buffer meters grid, each with TransIdentRecord.
    Outcome ATransIdent(const RowSelection& selection, const TransferProgress& progress = {});
    // Buffer verifications chosen in the buffer verifications grid, under the archive meter that
    // matches the current buffer meter.
    Outcome ATransResult(const RowSelection& selection);
    // Every buffer meter, from the first to the last ("Результаты проверки в архив").
    Outcome AINArchiv(const TransferProgress& progress = {});

    // Checks an external view before its rows are copied as meters: empty when it may be copied,
    // otherwise the message to show (caption "Ошибка", error icon).
    QString CheckExternalCopy(const DataSet& external) const;
    // Copies the current external row as a meter of the current archive type.
    CopyResult TransIdentSQLRecord(DataSet& external);
    // Copies the chosen external rows; stops at a refused row.
    CopyCounts ATransIdentSQL(DataSet& external, const RowSelection& selection);

  private:
    bool InBrowseMode();
    bool ResolveMeter(bool updateConstant);
    bool CopyVerification();
    bool CopyAllVerifications();
    Outcome WalkBufferMeters(const RowSelection& selection, const TransferProgress& progress);

    TDM& m_dm;
};
