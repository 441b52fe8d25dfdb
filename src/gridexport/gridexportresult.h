// Outcome of one export: written, cancelled by the user, or failed with a message for the user.
#pragma once

#include <QString>

class GridExportResult
{
  public:
    enum class Status { Written, Cancelled, Failed };

    static GridExportResult written() { return GridExportResult(Status::Written, {}); }
    static GridExportResult cancelled() { return GridExportResult(Status::Cancelled, {}); }
    static GridExportResult failed(const QString& message);

    Status status() const { return m_status; }
    bool ok() const { return m_status == Status::Written; }
    // Russian text for the error message box; empty unless the export failed.
    QString message() const { return m_message; }

  private:
    GridExportResult(Status status, QString message);

    Status m_status;
    QString m_message;
};
