// Opens an archive of 1,000 types, 100,000 meters, 200,000 verifications and 2,000,000 results
// with the data module and moves through it; each figure beside raw SQLite reading the same rows.
//   bench-archive [archive-path]      generates the archive if missing, then measures
// Each measurement runs in its own process so that its peak memory is its own.
#include "benchmarkarchive.h"
#include "database/tdm.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{

using namespace BenchmarkArchive;

constexpr int Moves = 200;

double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// Reads every column of every row of a statement, as a grid would.
long long Drain(sqlite3_stmt* s)
{
    long long cells = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                cells += sqlite3_column_bytes(s, c) >= 0;
            else
                cells += sqlite3_column_double(s, c) != 12345.678;
        }
    }
    sqlite3_reset(s);
    return cells;
}

// Raw SQLite: what the data module reads on opening, and on each move of type and meter.
int MeasureBaseline(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt *tips, *idents, *datas, *results, *other;
    sqlite3_prepare_v2(db, "SELECT * FROM TTip", -1, &tips, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM TIdent WHERE PSecIndex = ?", -1, &idents, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM TData WHERE PSecIndex = ?", -1, &datas, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM TResult WHERE PSecIndex = ?", -1, &results, nullptr);
    auto firstKey = [db](const char* sql, sqlite3_int64 parent) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        sqlite3_bind_int64(s, 1, parent);
        sqlite3_int64 key = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
        sqlite3_finalize(s);
        return key;
    };
    auto loadType = [&](sqlite3_int64 tipKey) {
        sqlite3_bind_int64(idents, 1, tipKey);
        Drain(idents);
        sqlite3_int64 meter =
            firstKey("SELECT PIndex FROM TIdent WHERE PSecIndex = ? LIMIT 1", tipKey);
        sqlite3_bind_int64(datas, 1, meter);
        Drain(datas);
        sqlite3_int64 data =
            firstKey("SELECT PIndex FROM TData WHERE PSecIndex = ? LIMIT 1", meter);
        sqlite3_bind_int64(results, 1, data);
        Drain(results);
    };
    Drain(tips);
    loadType(1);
    for (const char* t : {"SELECT * FROM TSTip", "SELECT * FROM TTableTip"}) {
        sqlite3_prepare_v2(db, t, -1, &other, nullptr);
        Drain(other);
        sqlite3_finalize(other);
    }
    double openMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (int i = 0; i < Moves; ++i)
        loadType(1 + (i * 7) % Types);
    double moveMs = timer.nsecsElapsed() / 1e6 / Moves;
    for (sqlite3_stmt* s : {tips, idents, datas, results})
        sqlite3_finalize(s);
    sqlite3_close(db);
    std::printf("%.3f %.4f %.1f\n", openMs, moveMs, PeakMegabytes());
    return 0;
}

int MeasureDataModule(const QString& path)
{
    double before = PeakMegabytes();
    QElapsedTimer timer;
    timer.start();
    QTemporaryDir settings;
    TDM dm(std::make_unique<SettingsStore>(settings.filePath(QStringLiteral("s.ini"))));
    if (!dm.Open(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(dm.FailureReason()));
        return 1;
    }
    double openMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (int i = 0; i < Moves; ++i)
        dm.ADOTip->MoveTo((i * 7) % dm.ADOTip->RecordCount());
    double typeMoveMs = timer.nsecsElapsed() / 1e6 / Moves;
    timer.restart();
    dm.ADOTip->First();
    for (int i = 0; i < Moves; ++i)
        dm.ADOIdent->MoveTo((i * 13) % dm.ADOIdent->RecordCount());
    double meterMoveMs = timer.nsecsElapsed() / 1e6 / Moves;
    std::printf("%.3f %.4f %.4f %.1f %.1f %d %d %d\n", openMs, typeMoveMs, meterMoveMs,
                PeakMegabytes(), before, dm.ADOIdent->RecordCount(), dm.ADOData->RecordCount(),
                dm.ADOResult->RecordCount());
    return 0;
}

QStringList RunSelf(const QString& mode, const QString& path)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {mode, path});
    p.waitForFinished(-1);
    return QString::fromLatin1(p.readAllStandardOutput())
        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--baseline"))
        return MeasureBaseline(args[2]);
    if (args.size() == 3 && args[1] == QStringLiteral("--datamodule"))
        return MeasureDataModule(args[2]);

    QString path = args.size() > 1 ? args[1] : DefaultPath();
    if (!Ensure(path))
        return 1;
    // Warm the file cache once so both sides read from memory.
    RunSelf(QStringLiteral("--baseline"), path);
    QStringList base = RunSelf(QStringLiteral("--baseline"), path);
    QStringList ours = RunSelf(QStringLiteral("--datamodule"), path);
    if (base.size() < 3 || ours.size() < 8) {
        std::fprintf(stderr, "measurement failed\n");
        return 1;
    }
    double baseOpen = base[0].toDouble(), baseMove = base[1].toDouble(),
           basePeak = base[2].toDouble();
    double open = ours[0].toDouble(), typeMove = ours[1].toDouble(), meterMove = ours[2].toDouble();
    double peak = ours[3].toDouble();
    std::printf("archive: %d types, %d meters, %d verifications, %d results\n", Types,
                Types * MetersPerType, Types * MetersPerType * VerificationsPerMeter,
                Types * MetersPerType * VerificationsPerMeter * ResultsPerVerification);
    std::printf("%-34s %12s %12s %8s %s\n", "", "data module", "raw SQLite", "ratio", "target");
    std::printf("%-34s %9.1f ms %9.1f ms %7.1fx %s\n", "open with all main views", open, baseOpen,
                open / baseOpen, open < 500 ? "< 500 ms: met" : "< 500 ms: MISSED");
    std::printf("%-34s %9.1f MB %9.1f MB %7.1fx %s\n", "peak memory (process)", peak, basePeak,
                peak / basePeak, peak < 150 ? "< 150 MB: met" : "< 150 MB: MISSED");
    std::printf("%-34s %9.3f ms %9.3f ms %7.1fx %s\n", "move current type (details reload)",
                typeMove, baseMove, typeMove / baseMove,
                typeMove < 20 ? "< 20 ms: met" : "< 20 ms: MISSED");
    std::printf("%-34s %9.3f ms %12s %8s %s\n", "move current meter (details reload)", meterMove,
                "", "", meterMove < 20 ? "< 20 ms: met" : "< 20 ms: MISSED");
    return 0;
}
