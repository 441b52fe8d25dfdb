// Archive tables in SQLite, shaped after the original Jet file: same tables, columns and widths.
#include "database/schema.h"

#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

namespace ArchiveSchema
{

namespace
{

struct Column {
    const char* name;
    const char* declaration;
};

struct Table {
    const char* name;
    const char* parent; // nullptr for a top-level table
    std::vector<Column> columns;
};

// Verifications and results have the same columns in the archive and in the buffer.
std::vector<Column> VerificationColumns()
{
    return {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
            {"PSecIndex", "INTEGER"},
            {"PSamohod", "INTEGER CHECK (PSamohod BETWEEN 0 AND 255)"},
            {"POrmix", "REAL"},
            {"PDateMeasure", "DATETIME"},
            {"PUSamohod", "REAL"}};
}

std::vector<Column> ResultColumns()
{
    return {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
            {"PSecIndex", "INTEGER"},
            {"PUMeasure", "REAL"},
            {"PIMeasure", "REAL"},
            {"PPowerMeasure", "REAL"},
            {"PFPMeasure", "TEXT CHECK (length(PFPMeasure) <= 10)"},
            {"PMistakeMeasure", "REAL"},
            {"PDateMeasure", "DATETIME"}};
}

// Text widths are checked by the database as the original engine did, so nothing longer slips in.
const std::vector<Table>& Tables()
{
    static const std::vector<Table> tables = {
        {"TTip",
         nullptr,
         {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
          {"PTipCH", "TEXT COLLATE UNOCASE CHECK (length(PTipCH) <= 9)"},
          {"PUnom", "REAL"},
          {"PInom", "REAL"},
          {"PReductRate", "REAL"},
          {"PClassT", "REAL"}}},
        {"TIdent",
         "TTip",
         {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
          {"PSecIndex", "INTEGER"},
          {"PNumber", "TEXT COLLATE UNOCASE CHECK (length(PNumber) <= 9)"},
          {"PMaker", "TEXT CHECK (length(PMaker) <= 16)"},
          {"PYearOutput", "INTEGER"},
          {"PAddress", "TEXT COLLATE UNOCASE CHECK (length(PAddress) <= 16)"}}},
        {"TData", "TIdent", VerificationColumns()},
        {"TResult", "TData", ResultColumns()},
        {"TSTip",
         nullptr,
         {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
          {"PTipCH", "TEXT COLLATE UNOCASE CHECK (length(PTipCH) <= 9)"},
          {"PReductRate", "REAL"},
          {"PNumber", "TEXT COLLATE UNOCASE CHECK (length(PNumber) <= 9)"},
          {"PAddress", "TEXT COLLATE UNOCASE CHECK (length(PAddress) <= 16)"}}},
        {"TSData", "TSTip", VerificationColumns()},
        {"TSResult", "TSData", ResultColumns()},
        {"TTableTip",
         nullptr,
         {{"PIndex", "INTEGER PRIMARY KEY AUTOINCREMENT"},
          {"PTip", "TEXT COLLATE UNOCASE CHECK (length(PTip) <= 9)"},
          {"PReductRate", "REAL"}}},
    };
    return tables;
}

// Compares UTF-8 texts ignoring letter case in every alphabet, as the original engine did.
int CompareNoCase(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    int r = QString::compare(left, right, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool PrepareConnection(QSqlDatabase& db, QString* error)
{
    QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return Fail(error, QStringLiteral("not an SQLite connection"));
    sqlite3* raw = *static_cast<sqlite3* const*>(handle.data());
    if (!raw)
        return Fail(error, QStringLiteral("connection is not open"));
    if (sqlite3_create_collation(raw, CollationName, SQLITE_UTF8, nullptr, CompareNoCase) !=
        SQLITE_OK)
        return Fail(error, QString::fromUtf8(sqlite3_errmsg(raw)));
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
        return Fail(error, q.lastError().text());
    return true;
}

bool CreateTables(QSqlDatabase& db, QString* error)
{
    QSqlQuery q(db);
    if (!db.transaction())
        return Fail(error, db.lastError().text());
    for (const Table& t : Tables()) {
        QStringList parts;
        for (const Column& c : t.columns) {
            QString decl =
                QStringLiteral("%1 %2").arg(QLatin1String(c.name), QLatin1String(c.declaration));
            if (t.parent && qstrcmp(c.name, "PSecIndex") == 0)
                decl += QStringLiteral(" REFERENCES %1 (PIndex) ON DELETE CASCADE")
                            .arg(QLatin1String(t.parent));
            parts << decl;
        }
        QString sql = QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(QLatin1String(t.name), parts.join(QStringLiteral(", ")));
        if (!q.exec(sql)) {
            QString reason = q.lastError().text();
            db.rollback();
            return Fail(error, reason);
        }
        if (t.parent) {
            QString index = QStringLiteral("CREATE INDEX %1_PSecIndex ON %1 (PSecIndex)")
                                .arg(QLatin1String(t.name));
            if (!q.exec(index)) {
                QString reason = q.lastError().text();
                db.rollback();
                return Fail(error, reason);
            }
        }
    }
    if (!db.commit())
        return Fail(error, db.lastError().text());
    return true;
}

bool CreateArchiveFile(const QString& path, QString* error)
{
    if (QFile::exists(path))
        return Fail(error, QStringLiteral("%1: файл уже существует").arg(path));
    const QString name = QStringLiteral("km350-create-archive");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            ok = Fail(error, db.lastError().text());
        } else {
            ok = PrepareConnection(db, error) && CreateTables(db, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

QStringList MissingParts(const QSqlDatabase& db)
{
    QStringList missing;
    for (const Table& t : Tables()) {
        QSqlRecord rec = db.record(QLatin1String(t.name));
        if (rec.isEmpty()) {
            missing << QLatin1String(t.name);
            continue;
        }
        for (const Column& c : t.columns) {
            if (rec.indexOf(QLatin1String(c.name)) < 0)
                missing << QStringLiteral("%1.%2").arg(QLatin1String(t.name),
                                                       QLatin1String(c.name));
        }
    }
    return missing;
}

QStringList TableNames()
{
    QStringList names;
    for (const Table& t : Tables())
        names << QLatin1String(t.name);
    return names;
}

QStringList ColumnNames(const QString& table)
{
    QStringList names;
    for (const Table& t : Tables()) {
        if (table == QLatin1String(t.name)) {
            for (const Column& c : t.columns)
                names << QLatin1String(c.name);
        }
    }
    return names;
}

} // namespace ArchiveSchema
