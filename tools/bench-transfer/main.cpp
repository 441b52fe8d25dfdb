// Benchmark of the buffer-to-archive transfer against the same inserts made directly in SQLite.

// An archive of 100,000 meters (1,000 types of 100 meters) receives 100 buffer meters of existing
// types, each with one verification of 10 results, through ArchiveTransfer::AINArchiv, which
// posts every row through the views and commits once per buffer meter. The baseline inserts the
// same 1,200 rows into an identical copy of the archive with prepared statements in one
// transaction.
#include "core/umessage.h"
#include "database/schema.h"
#include "database/tdm.h"
#include "transfer/archivetransfer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{

constexpr int Types = 1000;
constexpr int MetersPerType = 100;
constexpr int BufferMeters = 100;
constexpr int ResultsPerVerification = 10;

sqlite3* Handle(QSqlDatabase& db)
{
    return *static_cast<sqlite3* const*>(db.driver()->handle().data());
}

void Exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "bench-transfer: %s: %s\n", sql, error ? error : "?");
        std::exit(1);
    }
}

sqlite3_stmt* Prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "bench-transfer: %s: %s\n", sql, sqlite3_errmsg(db));
        std::exit(1);
    }
    return st;
}

void Step(sqlite3* db, sqlite3_stmt* st)
{
    if (sqlite3_step(st) != SQLITE_DONE) {
        std::fprintf(stderr, "bench-transfer: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    sqlite3_reset(st);
}

QString BufferType(int i)
{
    return QStringLiteral("T%1").arg(i * (Types / BufferMeters));
}

// Fills the archive (types and meters) and the buffer in one transaction.
void Fill(const QString& path)
{
    QString error;
    if (!ArchiveSchema::CreateArchiveFile(path, &error)) {
        std::fprintf(stderr, "bench-transfer: %s\n", qPrintable(error));
        std::exit(1);
    }
    {
        QSqlDatabase qdb =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        qdb.setDatabaseName(path);
        if (!qdb.open() || !ArchiveSchema::PrepareConnection(qdb, &error)) {
            std::fprintf(stderr, "bench-transfer: cannot open %s\n", qPrintable(path));
            std::exit(1);
        }
        sqlite3* db = Handle(qdb);
        Exec(db, "BEGIN");
        sqlite3_stmt* tip =
            Prepare(db, "INSERT INTO TTip (PTipCH, PUnom, PInom, PReductRate, PClassT) "
                        "VALUES (?, 220, 5, 1600, 2)");
        sqlite3_stmt* ident =
            Prepare(db, "INSERT INTO TIdent (PSecIndex, PNumber, PMaker, PYearOutput, PAddress) "
                        "VALUES (?, ?, 'Завод', 2004, ?)");
        for (int t = 0; t < Types; ++t) {
            QByteArray name = QStringLiteral("T%1").arg(t).toUtf8();
            sqlite3_bind_text(tip, 1, name.constData(), -1, SQLITE_TRANSIENT);
            Step(db, tip);
            sqlite3_int64 key = sqlite3_last_insert_rowid(db);
            for (int m = 0; m < MetersPerType; ++m) {
                QByteArray number = QByteArray::number(m);
                QByteArray address = QByteArray("Адрес ") + QByteArray::number(m);
                sqlite3_bind_int64(ident, 1, key);
                sqlite3_bind_text(ident, 2, number.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(ident, 3, address.constData(), -1, SQLITE_TRANSIENT);
                Step(db, ident);
            }
        }
        sqlite3_stmt* meter =
            Prepare(db, "INSERT INTO TSTip (PTipCH, PReductRate, PNumber, PAddress) "
                        "VALUES (?, 1600, ?, 'Новый')");
        sqlite3_stmt* data =
            Prepare(db, "INSERT INTO TSData (PSecIndex, PSamohod, POrmix, PDateMeasure, "
                        "PUSamohod) VALUES (?, 99, 1234.5, '2007-06-15', 0)");
        sqlite3_stmt* result =
            Prepare(db, "INSERT INTO TSResult (PSecIndex, PUMeasure, PIMeasure, PPowerMeasure, "
                        "PFPMeasure, PMistakeMeasure, PDateMeasure) "
                        "VALUES (?, 220, 5, 1100, '0.8/C', ?, '2007-06-15')");
        for (int i = 0; i < BufferMeters; ++i) {
            QByteArray type = BufferType(i).toUtf8();
            QByteArray number = QByteArray("B") + QByteArray::number(i);
            sqlite3_bind_text(meter, 1, type.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(meter, 2, number.constData(), -1, SQLITE_TRANSIENT);
            Step(db, meter);
            sqlite3_bind_int64(data, 1, sqlite3_last_insert_rowid(db));
            Step(db, data);
            sqlite3_int64 verification = sqlite3_last_insert_rowid(db);
            for (int r = 0; r < ResultsPerVerification; ++r) {
                sqlite3_bind_int64(result, 1, verification);
                sqlite3_bind_double(result, 2, 0.1 * r);
                Step(db, result);
            }
        }
        for (sqlite3_stmt* st : {tip, ident, meter, data, result})
            sqlite3_finalize(st);
        Exec(db, "COMMIT");
        qdb.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// The same 1,200 inserts, made directly: the type is looked up, then meter, verification and
// results are inserted in one transaction.
double Baseline(const QString& path)
{
    double ms = 0;
    {
        QSqlDatabase qdb =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("baseline"));
        qdb.setDatabaseName(path);
        if (!qdb.open() || !ArchiveSchema::PrepareConnection(qdb)) {
            std::fprintf(stderr, "bench-transfer: cannot open %s\n", qPrintable(path));
            std::exit(1);
        }
        sqlite3* db = Handle(qdb);
        QElapsedTimer timer;
        timer.start();
        Exec(db, "BEGIN");
        sqlite3_stmt* find = Prepare(db, "SELECT PIndex FROM TTip WHERE PTipCH = ?");
        sqlite3_stmt* ident =
            Prepare(db, "INSERT INTO TIdent (PSecIndex, PNumber, PMaker, PYearOutput, PAddress) "
                        "VALUES (?, ?, 'Неизвестен', 0, 'Новый')");
        sqlite3_stmt* data =
            Prepare(db, "INSERT INTO TData (PSecIndex, PSamohod, POrmix, PDateMeasure, PUSamohod) "
                        "VALUES (?, 99, 1234.5, '2007-06-15', 0)");
        sqlite3_stmt* result =
            Prepare(db, "INSERT INTO TResult (PSecIndex, PUMeasure, PIMeasure, PPowerMeasure, "
                        "PFPMeasure, PMistakeMeasure, PDateMeasure) "
                        "VALUES (?, 220, 5, 1100, '0.8/C', ?, '2007-06-15')");
        for (int i = 0; i < BufferMeters; ++i) {
            QByteArray type = BufferType(i).toUtf8();
            QByteArray number = QByteArray("B") + QByteArray::number(i);
            sqlite3_bind_text(find, 1, type.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_int64 key =
                sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
            sqlite3_reset(find);
            sqlite3_bind_int64(ident, 1, key);
            sqlite3_bind_text(ident, 2, number.constData(), -1, SQLITE_TRANSIENT);
            Step(db, ident);
            sqlite3_bind_int64(data, 1, sqlite3_last_insert_rowid(db));
            Step(db, data);
            sqlite3_int64 verification = sqlite3_last_insert_rowid(db);
            for (int r = 0; r < ResultsPerVerification; ++r) {
                sqlite3_bind_int64(result, 1, verification);
                sqlite3_bind_double(result, 2, 0.1 * r);
                Step(db, result);
            }
        }
        for (sqlite3_stmt* st : {find, ident, data, result})
            sqlite3_finalize(st);
        Exec(db, "COMMIT");
        ms = timer.nsecsElapsed() / 1e6;
        qdb.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("baseline"));
    return ms;
}

int Count(TDM& dm, const char* table)
{
    QSqlQuery q(QSqlDatabase::database(dm.ConnectionName(), false));
    q.exec(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)));
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString archive = dir.filePath(QStringLiteral("OrmixDB.sqlite"));
    const QString copyDir = dir.filePath(QStringLiteral("baseline"));
    QDir().mkpath(copyDir);
    const QString copy = copyDir + QStringLiteral("/OrmixDB.sqlite");
    std::printf("filling %d types x %d meters and %d buffer meters...\n", Types, MetersPerType,
                BufferMeters);
    Fill(archive);
    QFile::copy(archive, copy);

    SetMessageHandler([](const QString& text, const QString&, MsgIcon, MsgButtons) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MsgAnswer::Ok;
    });
    double transferMs = 0;
    double transferCpuMs = 0;
    int meters = 0, verifications = 0, results = 0;
    {
        TDM dm(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
        if (!dm.Open(dir.path())) {
            std::fprintf(stderr, "bench-transfer: %s\n", qPrintable(dm.FailureReason()));
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        std::clock_t cpu = std::clock();
        ArchiveTransfer::Outcome outcome = ArchiveTransfer(dm).AINArchiv();
        transferMs = timer.nsecsElapsed() / 1e6;
        transferCpuMs = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        if (outcome != ArchiveTransfer::Outcome::Done) {
            std::fprintf(stderr, "bench-transfer: the transfer did not complete\n");
            return 1;
        }
        meters = Count(dm, "TIdent");
        verifications = Count(dm, "TData");
        results = Count(dm, "TResult");
    }
    const double baselineMs = Baseline(copy);

    std::printf("archive after transfer: %d meters, %d verifications, %d results\n", meters,
                verifications, results);
    std::printf("transfer (ArchiveTransfer, one commit per meter): %7.1f ms (CPU %.1f ms)\n",
                transferMs, transferCpuMs);
    std::printf("baseline (direct inserts, one transaction):     %9.1f ms\n", baselineMs);
    std::printf("ratio: %.1fx   target: within 5x and under 1000 ms: %s\n", transferMs / baselineMs,
                transferMs <= 5 * baselineMs && transferMs < 1000 ? "met" : "NOT met");
    return 0;
}
