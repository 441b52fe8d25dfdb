// Outcome of one export.
#include "gridexport/gridexportresult.h"

#include <utility>

GridExportResult::GridExportResult(Status status, QString message)
    : m_status(status), m_message(std::move(message))
{
}

GridExportResult GridExportResult::failed(const QString& message)
{
    return GridExportResult(Status::Failed, message);
}
