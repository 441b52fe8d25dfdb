// Generation of the benchmark archive with SQLite directly, in one transaction.
#include "benchmarkarchive.h"

#include "database/schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace BenchmarkArchive
{

namespace
{

bool Exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

} // namespace

QString DefaultPath()
{
    return QDir::temp().filePath(QStringLiteral("km350-bench/OrmixDB.sqlite"));
}

bool Generate(const QString& path)
{
    QString error;
    if (!ArchiveSchema::CreateArchiveFile(path, &error)) {
        std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    Exec(db, "PRAGMA journal_mode = OFF");
    Exec(db, "PRAGMA synchronous = OFF");
    Exec(db, "BEGIN");
    sqlite3_stmt *tip, *ident, *data, *result;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO TTip (PTipCH, PUnom, PInom, PReductRate, PClassT) VALUES (?, 220, 5, 800, 2)",
        -1, &tip, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO TIdent (PSecIndex, PNumber, PMaker, PYearOutput, PAddress) "
                       "VALUES (?, ?, 'Завод', 2004, ?)",
                       -1, &ident, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO TData (PSecIndex, PSamohod, POrmix, PDateMeasure, PUSamohod) "
                       "VALUES (?, 1, 12345.6, '2006-03-15', 253)",
                       -1, &data, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO TResult (PSecIndex, PUMeasure, PIMeasure, PPowerMeasure, PFPMeasure, "
        "PMistakeMeasure, PDateMeasure) VALUES (?, 220, ?, 1100, '1.00', ?, '2006-03-15')",
        -1, &result, nullptr);
    long long meterNo = 0;
    for (int t = 0; t < Types; ++t) {
        std::string name = "Т" + std::to_string(t);
        sqlite3_bind_text(tip, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(tip);
        sqlite3_reset(tip);
        sqlite3_int64 tipKey = sqlite3_last_insert_rowid(db);
        for (int m = 0; m < MetersPerType; ++m) {
            std::string number = std::to_string(++meterNo);
            std::string address = "ул. Ленина " + std::to_string(m);
            sqlite3_bind_int64(ident, 1, tipKey);
            sqlite3_bind_text(ident, 2, number.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(ident, 3, address.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(ident);
            sqlite3_reset(ident);
            sqlite3_int64 meterKey = sqlite3_last_insert_rowid(db);
            for (int v = 0; v < VerificationsPerMeter; ++v) {
                sqlite3_bind_int64(data, 1, meterKey);
                sqlite3_step(data);
                sqlite3_reset(data);
                sqlite3_int64 dataKey = sqlite3_last_insert_rowid(db);
                for (int r = 0; r < ResultsPerVerification; ++r) {
                    sqlite3_bind_int64(result, 1, dataKey);
                    sqlite3_bind_double(result, 2, 0.5 * (r + 1));
                    sqlite3_bind_double(result, 3, 0.01 * r - 0.03);
                    sqlite3_step(result);
                    sqlite3_reset(result);
                }
            }
        }
    }
    Exec(db, "COMMIT");
    for (sqlite3_stmt* s : {tip, ident, data, result})
        sqlite3_finalize(s);
    sqlite3_close(db);
    return true;
}

bool Ensure(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (QFileInfo::exists(path))
        return true;
    std::printf("generating %s ...\n", qPrintable(path));
    std::fflush(stdout);
    QElapsedTimer t;
    t.start();
    if (!Generate(path))
        return false;
    std::printf("generated in %.1f s (%.0f MB)\n", t.elapsed() / 1000.0,
                QFileInfo(path).size() / 1048576.0);
    return true;
}

} // namespace BenchmarkArchive
