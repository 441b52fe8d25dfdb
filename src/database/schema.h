// The eight tables of the archive file: creation of an empty archive and the check on opening.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace ArchiveSchema
{

// Name of the case-insensitive (Unicode) collation that key text columns use.
inline constexpr const char* CollationName = "UNOCASE";

// Registers the collation and switches foreign keys on; needed on every connection.
bool PrepareConnection(QSqlDatabase& db, QString* error = nullptr);

// Creates the empty tables in an open connection; false with a reason on failure.
bool CreateTables(QSqlDatabase& db, QString* error = nullptr);

// Creates a new archive file at path; refuses to overwrite an existing file.
bool CreateArchiveFile(const QString& path, QString* error = nullptr);

// Tables and columns the archive lacks ("TTip", "TIdent.PMaker", ...); empty when complete.
QStringList MissingParts(const QSqlDatabase& db);

// Table names in creation order.
QStringList TableNames();

// Column names of a table, in their order.
QStringList ColumnNames(const QString& table);

} // namespace ArchiveSchema
