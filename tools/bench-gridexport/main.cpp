// Benchmark of the grid writers against plain buffered output: time and peak memory.

// A generated grid (100,000 rows × 8 columns by default) is written in each format; each run
// happens in a child process so the peaks do not mix, at a tenth of the rows and at all of them.
#include "gridexport/gridwriter.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// Values are made on demand, so the source itself holds no memory per row.
class GeneratedRowSource : public GridRowSource
{
  public:
    explicit GeneratedRowSource(int rows) : m_rows(rows) {}
    int columnCount() const override { return 8; }
    QString columnTitle(int column) const override
    {
        static const QStringList titles = {
            QStringLiteral("№"),         QStringLiteral("Тип счетчика"),
            QStringLiteral("Номер"),     QStringLiteral("U, В"),
            QStringLiteral("Дата"),      QStringLiteral("Погрешность, %"),
            QStringLiteral("Показания"), QStringLiteral("Примечание")};
        return titles.at(column);
    }
    int rowCount() const override { return m_rows; }
    QVariant value(int row, int column) const override
    {
        switch (column) {
        case 0:
            return row + 1;
        case 1:
            return row % 3 ? QStringLiteral("Меркурий 230 ART-01") : QStringLiteral("СО-И446");
        case 2:
            return QString::number(1000000 + row);
        case 3:
            return 220.5 + (row % 40) * 0.125;
        case 4:
            return QDate(2020, 1, 1).addDays(row % 1500);
        case 5:
            return 1.0 / (row % 7 + 3);
        case 6:
            return qint64(row) * 1000003;
        default:
            return row % 5 ? QVariant() : QVariant(QStringLiteral("Пломба \"ОТК\""));
        }
    }

  private:
    int m_rows;
};

// The same values through stdio with a 64 KB buffer and QVariant's own text.
bool writePlain(const GridRowSource& rows, const QString& path)
{
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        return false;
    static char buffer[64 * 1024];
    std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
    for (int r = 0; r < rows.rowCount(); ++r) {
        for (int c = 0; c < rows.columnCount(); ++c) {
            if (c)
                std::fputc('\t', f);
            const QByteArray t = rows.value(r, c).toString().toUtf8();
            std::fwrite(t.constData(), 1, static_cast<size_t>(t.size()), f);
        }
        std::fputc('\n', f);
    }
    return std::fclose(f) == 0;
}

struct Run {
    double ms = -1;
    long peakKb = 0;
    qint64 bytes = 0;
};

Run runInChild(const std::function<bool()>& work, const QString& path)
{
    int pipeFd[2];
    if (pipe(pipeFd) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFd[0]);
        QElapsedTimer timer;
        timer.start();
        const bool ok = work();
        double ms = ok ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1;
        ssize_t written = write(pipeFd[1], &ms, sizeof ms);
        _exit(written == sizeof ms && ok ? 0 : 1);
    }
    close(pipeFd[1]);
    Run run;
    if (read(pipeFd[0], &run.ms, sizeof run.ms) != sizeof run.ms)
        run.ms = -1;
    close(pipeFd[0]);
    int status = 0;
    struct rusage usage {
    };
    wait4(pid, &status, 0, &usage);
    run.peakKb = usage.ru_maxrss;
    run.bytes = QFileInfo(path).size();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir tmp;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    QDir().mkpath(dir);

    struct Target {
        const char* name;
        std::optional<GridExportFormat> format;
        const char* extension;
    };
    const Target targets[] = {
        {"plain", std::nullopt, "plain"},      {"txt", GridExportFormat::Text, "txt"},
        {"csv", GridExportFormat::Csv, "csv"}, {"htm", GridExportFormat::Html, "htm"},
        {"rtf", GridExportFormat::Rtf, "rtf"}, {"xls", GridExportFormat::Xls, "xls"},
    };

    std::printf("%d rows x 8 columns; peak memory of a child process at %d and at %d rows\n\n",
                rows, rows / 10, rows);
    std::printf("%-6s %10s %8s %12s %12s %10s %12s\n", "format", "time ms", "ratio", "peak@1/10 MB",
                "peak@all MB", "growth MB", "file MB");
    double baseline = 0;
    for (const Target& t : targets) {
        Run small, full;
        for (int pass = 0; pass < 2; ++pass) {
            const int n = pass == 0 ? rows / 10 : rows;
            const QString path = dir + QStringLiteral("/bench.") + QLatin1String(t.extension);
            auto work = [&]() {
                GeneratedRowSource source(n);
                if (!t.format)
                    return writePlain(source, path);
                return GridWriter::create(*t.format)->write(source, path).ok();
            };
            // The best of three runs, to keep a busy machine out of the figures.
            Run best;
            for (int i = 0; i < 3; ++i) {
                Run r = runInChild(work, path);
                if (best.ms < 0 || (r.ms >= 0 && r.ms < best.ms))
                    best = r;
            }
            (pass == 0 ? small : full) = best;
        }
        if (!t.format)
            baseline = full.ms;
        std::printf("%-6s %10.1f %7.2fx %12.1f %12.1f %10.1f %12.1f\n", t.name, full.ms,
                    baseline > 0 ? full.ms / baseline : 0, small.peakKb / 1024.0,
                    full.peakKb / 1024.0, (full.peakKb - small.peakKb) / 1024.0,
                    static_cast<double>(full.bytes) / (1024 * 1024));
    }
    return 0;
}
