// Benchmark of the query builder and the buffer selection on the archive of bench-archive (1,000
// types, 100,000 meters, 200,000 verifications, 2,000,000 results), each figure beside a
// baseline measured in the same run:
//   opening the query builder after a change of the archive (both trees rebuilt, the dialog
//   painted) beside SQLite stepping through the rows of the two tree queries;
//   a query with every node checked, a date range, an error range and all 18 columns: the first
//   rows in the grid, and every row, beside the same rows of a hand-written query read the same
//   way;
//   the buffer selection of 100 checked meters beside the same delete and insert made directly.
// Figures are processor time, which other work on the machine does not inflate; clock time is
// printed beside them.
//   bench-selection [archive-path]
// Each measurement runs in its own process so that its memory is its own.
#include "benchmarkarchive.h"
#include "core/utools.h"
#include "database/schema.h"
#include "database/tdm.h"
#include "selection/archivequery.h"
#include "selection/archivetrees.h"
#include "selection/bufferselection.h"
#include "ui/selection/tfsqlshape.h"
#include "ui/selection/tfsqlshapesinchro.h"
#include "widgets/checktreeview.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace
{

// The date range takes every verification (all are dated 15/03/06), the error range five of
// every ten results: a million rows.
const QDate DateFrom(2006, 3, 14), DateTo(2006, 3, 16);
const char* const ErrorFrom = "-0.01";
const char* const ErrorTo = "0.03";
constexpr int BufferMeters = 100;
constexpr int Repeats = 5;

double Megabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    }
    return 0;
}

// Processor time of the process beside the time on the clock: on a machine shared with other work
// the processor time is what the program itself costs, the clock also counts the waiting.
class Stopwatch
{
  public:
    void start()
    {
        m_wall.start();
        m_cpu = CpuMs();
    }
    void restart() { start(); }
    double Cpu() const { return CpuMs() - m_cpu; }
    double Wall() const { return m_wall.nsecsElapsed() / 1e6; }

  private:
    static double CpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

void Check(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "?");
        std::exit(1);
    }
}

sqlite3* OpenRaw(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    return db;
}

long long Drain(sqlite3* db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        return -1;
    }
    long long rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            sqlite3_column_type(s, c) == SQLITE_TEXT ? (void)sqlite3_column_text16(s, c)
                                                     : (void)sqlite3_column_int64(s, c);
    }
    sqlite3_finalize(s);
    return rows;
}

// Reads every value of every row, as a grid that shows them all would.
long long ReadAll(QSqlQuery& q)
{
    long long rows = 0;
    const int columns = q.record().count();
    while (q.next()) {
        ++rows;
        for (int c = 0; c < columns; ++c)
            (void)q.value(c);
    }
    return rows;
}

std::unique_ptr<TDM> OpenArchive(const QString& path, QTemporaryDir& settings)
{
    auto dm = std::make_unique<TDM>(
        std::make_unique<SettingsStore>(settings.filePath(QStringLiteral("s.ini"))));
    if (!dm->Open(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(dm->FailureReason()));
        std::exit(1);
    }
    return dm;
}

// The rows of the two tree queries, stepped through by SQLite itself.
int TreeBaseline(const QString& path)
{
    sqlite3* db = OpenRaw(path);
    Stopwatch t;
    t.start();
    Drain(db, "Select TTip.PIndex as TI, TTip.PTipCH, TIdent.PIndex as II,TIdent.PNumber, "
              "TData.PIndex as DI, TData.PDateMeasure as DM from (TTip INNER JOIN TIdent ON "
              "TTip.PIndex = TIdent.PSecIndex) INNER JOIN TData ON (TIdent.PIndex = "
              "TData.PSecIndex)");
    Drain(db, "Select TTip.PIndex as TI, TTip.PTipCH, TIdent.PIndex as II,TIdent.PNumber from "
              "TTip INNER JOIN TIdent ON TTip.PIndex = TIdent.PSecIndex");
    std::printf("%.1f %.1f\n", t.Cpu(), t.Wall());
    sqlite3_close(db);
    return 0;
}

// The opening protocol after a change: both trees rebuilt, the query builder shown and painted.
int OpenBuilder(const QString& path)
{
    QTemporaryDir settings;
    auto dm = OpenArchive(path, settings);
    const double before = Megabytes("VmRSS:");
    TFSQLShape shape(*dm);
    TFSQLShapeSinchro shapeSinchro(*dm);
    double openMs = 0, openWall = 0;
    int nodes = 0;
    ArchiveChanged = true;
    Stopwatch t;
    QTimer::singleShot(0, &shape, [&] {
        shape.repaint();
        openMs = t.Cpu();
        openWall = t.Wall();
        nodes =
            shape.TV1->Model()->Tree().NodeCount() + shapeSinchro.TV1->Model()->Tree().NodeCount();
        shape.reject();
    });
    t.start();
    SelectionDialog::Open(shape, {&shape, &shapeSinchro});
    std::printf("%.1f %.1f %d %.1f\n", openMs, Megabytes("VmHWM:") - before, nodes, openWall);
    return 0;
}

QString HandWritten()
{
    return QStringLiteral(
        "SELECT T.PTipCH, T.PUnom, T.PInom, T.PReductRate, T.PClassT, I.PNumber, I.PMaker, "
        "I.PYearOutput, I.PAddress, D.PDateMeasure, D.PSamohod, D.PUSamohod, D.POrmix, "
        "R.PUMeasure, R.PIMeasure, R.PPowerMeasure, R.PFPMeasure, R.PMistakeMeasure FROM TTip T "
        "JOIN TIdent I ON I.PSecIndex = T.PIndex JOIN TData D ON D.PSecIndex = I.PIndex JOIN "
        "TResult R ON R.PSecIndex = D.PIndex WHERE D.PDateMeasure > ? AND D.PDateMeasure < ? AND "
        "R.PMistakeMeasure >= ? AND R.PMistakeMeasure <= ?");
}

int QueryBaseline(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("b"));
    db.setDatabaseName(path);
    db.open();
    Stopwatch t;
    t.start();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(HandWritten());
    for (const QVariant& v : QVariantList{
             QStringLiteral("2006-03-14"), QStringLiteral("2006-03-16"),
             QString::fromLatin1(ErrorFrom).toDouble(), QString::fromLatin1(ErrorTo).toDouble()})
        q.addBindValue(v);
    q.exec();
    long long rows = ReadAll(q);
    std::printf("%.1f %lld %.1f\n", t.Cpu(), rows, t.Wall());
    return 0;
}

// The query builder's run with every node checked, the grid of the external-data window bound to
// the result: the first rows shown, then every row of the same statement read.
int Query(const QString& path)
{
    QTemporaryDir settings;
    auto dm = OpenArchive(path, settings);
    DBGrid grid;
    grid.SetDataSet(dm->ADODataSetSQL);
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
    tree.SetAll(true);
    ArchiveQueryChoices c;
    c.columns.set();
    c.byTree = true;
    c.byDate = true;
    c.date = DateChoice::Range;
    c.dateFrom = DateFrom;
    c.dateTo = DateTo;
    c.byError = true;
    c.error = ErrorChoice::Range;
    c.errorFrom = QString::fromLatin1(ErrorFrom);
    c.errorTo = QString::fromLatin1(ErrorTo);

    Stopwatch t;
    t.start();
    if (ArchiveQuery::Run(*dm, c, tree) != ArchiveQuery::RunResult::Done) {
        std::fprintf(stderr, "query failed\n");
        return 1;
    }
    grid.SetDataSet(dm->ADODataSetSQL); // as the builder gives the columns their titles
    const int shown = grid.Model()->rowCount();
    (void)grid.Model()->index(0, 0).data();
    const double firstMs = t.Cpu(), firstWall = t.Wall();

    QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
    q.setForwardOnly(true);
    q.prepare(LastSelectFields + LastSelectFrom);
    for (const QVariant& v : LastSelectValues)
        q.addBindValue(v);
    q.exec();
    long long rows = ReadAll(q);
    std::printf("%.1f %.1f %lld %d %.1f %.1f\n", firstMs, t.Cpu(), rows, shown, firstWall,
                t.Wall());
    return 0;
}

int BufferBaseline(const QString& path)
{
    // The archive's own collation compares the designations the insert makes distinct.
    QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("b"));
    qdb.setDatabaseName(path);
    qdb.open();
    ArchiveSchema::PrepareConnection(qdb);
    sqlite3* db = *static_cast<sqlite3* const*>(qdb.driver()->handle().data());
    // Committed as the data module commits: write-ahead log without waiting for the disk.
    Check(db, "PRAGMA synchronous = NORMAL");
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        Stopwatch t;
        t.start();
        Check(db, "BEGIN");
        Check(db, "DELETE FROM TSTip");
        Check(db, "INSERT INTO TSTip (PTipCH, PReductRate, PNumber, PAddress) SELECT DISTINCT "
                  "TTip.PTipCH, TTip.PReductRate, TIdent.PNumber, TIdent.PAddress FROM TTip "
                  "JOIN TIdent ON TIdent.PSecIndex = TTip.PIndex WHERE TTip.PIndex = 1");
        Check(db, "COMMIT");
        times.push_back(t.Cpu());
    }
    Check(db, "DELETE FROM TSTip");
    std::sort(times.begin(), times.end());
    std::printf("%.2f\n", times[times.size() / 2]);
    return 0;
}

// The buffer selection of the 100 meters of one type checked in its tree, views reopened.
int Buffer(const QString& path)
{
    QTemporaryDir settings;
    auto dm = OpenArchive(path, settings);
    CheckTree tree = ArchiveTrees::MeterTree(dm->ConnectionName());
    tree.Toggle(0, 0);
    BufferSelectionChoices c;
    c.byTree = true;
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        Stopwatch t;
        t.start();
        if (!BufferSelection::Run(*dm, c, tree)) {
            std::fprintf(stderr, "buffer selection failed\n");
            return 1;
        }
        times.push_back(t.Cpu());
    }
    const int meters = dm->ADOSinchro->RecordCount();
    QSqlQuery(QSqlDatabase::database(dm->ConnectionName()))
        .exec(QStringLiteral("DELETE FROM TSTip"));
    std::sort(times.begin(), times.end());
    std::printf("%.2f %d\n", times[times.size() / 2], meters);
    return 0;
}

QStringList RunSelf(const QString& mode, const QString& path)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {mode, path});
    p.waitForFinished(-1);
    return QString::fromLatin1(p.readAllStandardOutput())
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

const char* Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && argv[1][0] == '-') {
        QApplication app(argc, argv);
        const QString mode = QString::fromLatin1(argv[1]);
        const QString path = QString::fromLocal8Bit(argv[2]);
        if (mode == QLatin1String("--tree-baseline"))
            return TreeBaseline(path);
        if (mode == QLatin1String("--open"))
            return OpenBuilder(path);
        if (mode == QLatin1String("--query-baseline"))
            return QueryBaseline(path);
        if (mode == QLatin1String("--query"))
            return Query(path);
        if (mode == QLatin1String("--buffer-baseline"))
            return BufferBaseline(path);
        if (mode == QLatin1String("--buffer"))
            return Buffer(path);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString path =
        app.arguments().size() > 1 ? app.arguments().at(1) : BenchmarkArchive::DefaultPath();
    if (!BenchmarkArchive::Ensure(path))
        return 1;

    // Warm the file cache once so every side reads from memory.
    RunSelf(QStringLiteral("--query-baseline"), path);
    const QStringList treeBase = RunSelf(QStringLiteral("--tree-baseline"), path);
    const QStringList open = RunSelf(QStringLiteral("--open"), path);
    const QStringList queryBase = RunSelf(QStringLiteral("--query-baseline"), path);
    const QStringList query = RunSelf(QStringLiteral("--query"), path);
    const QStringList bufferBase = RunSelf(QStringLiteral("--buffer-baseline"), path);
    const QStringList buffer = RunSelf(QStringLiteral("--buffer"), path);
    if (treeBase.size() < 2 || open.size() < 4 || queryBase.size() < 3 || query.size() < 6 ||
        bufferBase.size() < 1 || buffer.size() < 2) {
        std::fprintf(stderr, "measurement failed\n");
        return 1;
    }
    const double treeMs = treeBase[0].toDouble(), openMs = open[0].toDouble(),
                 openMb = open[1].toDouble();
    const double baseAll = queryBase[0].toDouble(), firstMs = query[0].toDouble(),
                 allMs = query[1].toDouble();
    const double bufferBaseMs = bufferBase[0].toDouble(), bufferMs = buffer[0].toDouble();

    std::printf("archive: %d types, %d meters, %d verifications, %d results\n",
                BenchmarkArchive::Types, BenchmarkArchive::Types * BenchmarkArchive::MetersPerType,
                BenchmarkArchive::Types * BenchmarkArchive::MetersPerType *
                    BenchmarkArchive::VerificationsPerMeter,
                BenchmarkArchive::Types * BenchmarkArchive::MetersPerType *
                    BenchmarkArchive::VerificationsPerMeter *
                    BenchmarkArchive::ResultsPerVerification);
    std::printf("processor time of the program and of its baseline; the clock time beside it\n");
    std::printf("%-46s %10s %10s %7s %10s  %s\n", "", "program", "baseline", "ratio", "clock",
                "target");
    std::printf(
        "%-46s %7.1f ms %7.1f ms %6.2fx %7.1f ms  <= 300 ms: %s\n",
        qPrintable(QStringLiteral("open query builder, trees rebuilt (%1 nodes)").arg(open[2])),
        openMs, treeMs, openMs / treeMs, open[3].toDouble(), Verdict(openMs <= 300));
    std::printf("%-46s %7.1f MB %10s %7s %10s  <= 60 MB: %s\n",
                "  memory the dialogs and trees take", openMb, "", "", "", Verdict(openMb <= 60));
    std::printf(
        "%-46s %7.1f ms %10s %7s %7.1f ms  <= 200 ms: %s\n",
        qPrintable(QStringLiteral("query, all checked: first %1 rows in the grid").arg(query[3])),
        firstMs, "", "", query[4].toDouble(), Verdict(firstMs <= 200));
    std::printf("%-46s %7.0f ms %7.0f ms %6.2fx %7.0f ms  <= 2x: %s\n",
                qPrintable(QStringLiteral("  every row (%1 rows, 18 columns)").arg(query[2])),
                allMs, baseAll, allMs / baseAll, query[5].toDouble(),
                Verdict(allMs <= 2 * baseAll && query[2] == queryBase[1]));
    std::printf("%-46s %7.2f ms %7.2f ms %6.2fx %10s  <= 50 ms: %s\n",
                qPrintable(QStringLiteral("buffer selection of %1 checked meters").arg(buffer[1])),
                bufferMs, bufferBaseMs, bufferMs / bufferBaseMs, "", Verdict(bufferMs <= 50));
    return 0;
}
