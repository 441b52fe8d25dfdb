// Benchmark of the error-curve window following the archive: switching between two verifications
// of 1,000 results each, with the archive window alone (baseline) and with the chart open.

// Each switch moves the current verification, lets the views and the chart's deferred redraw run,
// and paints the windows at once, so the time is what the user waits for on an idle machine.
// Times are the process's CPU time, so that other load on a shared machine does not count; they
// are medians of alternating switches, and the chart's own share is the difference to the
// baseline.
#include "database/schema.h"
#include "database/tdm.h"
#include "errorcurve/curvesource.h"
#include "errorcurve/errorcurvebuilder.h"
#include "ui/archive/tftip.h"
#include "ui/errorcurve/errorchartview.h"
#include "ui/errorcurve/tferrorcurve.h"
#include "widgets/dbgrid.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace
{

constexpr int ResultsPerVerification = 1000;
constexpr int Switches = 40;
constexpr double TargetMs = 50;

void Fail(const QString& text)
{
    std::fprintf(stderr, "bench-errorcurve: %s\n", qPrintable(text));
    std::exit(1);
}

void Check(bool ok, const char* what)
{
    if (!ok)
        Fail(QString::fromLatin1(what));
}

// One type of class 1 and 5 A, one meter, two verifications of 1,000 results at three power
// factors, currents from 2 % to 240 % of the nominal current.
void Fill(TDM& dm)
{
    Check(dm.AddTip(QStringLiteral("BENCH"), QStringLiteral("230"), QStringLiteral("5"),
                    QStringLiteral("800"), QStringLiteral("1")),
          "type");
    Check(dm.AddIdent(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("m"),
                      QStringLiteral("2020")),
          "meter");
    const char* factors[] = {"1.00", "0.5/L", "0.8/C"};
    for (int v = 0; v < 2; ++v) {
        DataSet& d = *dm.ADOData;
        Check(d.Append(), "verification");
        d.FieldByName(QStringLiteral("PSamohod")).SetValue(1);
        d.FieldByName(QStringLiteral("POrmix")).SetValue(100.0 + v);
        d.FieldByName(QStringLiteral("PDateMeasure"))
            .SetValue(QDateTime(QDate(2024, 1, 1 + v), QTime(0, 0)));
        d.FieldByName(QStringLiteral("PUSamohod")).SetValue(264.5);
        Check(d.Post(), "verification post");
        DataSet& r = *dm.ADOResult;
        for (int k = 0; k < ResultsPerVerification; ++k) {
            const double current = 0.1 * std::pow(120.0, (k % 333) / 333.0);
            const double error = ((k * 37 + v * 11) % 400 - 200) / 100.0;
            Check(r.Append(), "result");
            r.FieldByName(QStringLiteral("PUMeasure")).SetValue(230.0);
            r.FieldByName(QStringLiteral("PIMeasure")).SetValue(current);
            r.FieldByName(QStringLiteral("PPowerMeasure")).SetValue(230.0 * current);
            r.FieldByName(QStringLiteral("PFPMeasure"))
                .SetValue(QString::fromLatin1(factors[k % 3]));
            r.FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(k == 500 ? 1500.0 : error);
            Check(r.Post(), "result post");
        }
    }
}

// CPU time of the process in ms.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Max(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

// Runs the deferred work (redraw, chart layout) and paints, as the next screen update would.
void Settle(const std::vector<QWidget*>& paint)
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    for (QWidget* w : paint)
        w->repaint();
}

// Alternates the current verification and returns the time of each switch in ms.
std::vector<double> Switch(TDM& dm, const std::vector<QWidget*>& paint)
{
    std::vector<double> times;
    for (int n = 0; n < Switches; ++n) {
        const double start = CpuMs();
        dm.ADOData->MoveTo(n % 2 == 0 ? 1 : 0);
        Settle(paint);
        times.push_back(CpuMs() - start);
    }
    return times;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallStderrMessageHandler();
    QTemporaryDir dir;
    QString error;
    if (!ArchiveSchema::CreateArchiveFile(dir.filePath(QStringLiteral("OrmixDB.sqlite")), &error))
        Fail(error);
    TDM dm(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
    if (!dm.Open(dir.path()))
        Fail(dm.FailureReason());
    Fill(dm);

    TFTip tip(dm);
    tip.resize(900, 600);
    tip.show();
    QCoreApplication::processEvents();

    // Warm-up, then the archive window alone.
    Switch(dm, {&tip});
    const std::vector<double> base = Switch(dm, {&tip});

    TFErrorCurve chart(CurveSource::Archive(dm));
    chart.resize(900, 600);
    chart.show();
    QCoreApplication::processEvents();
    Switch(dm, {&tip, &chart});
    const std::vector<double> with = Switch(dm, {&tip, &chart});
    if (chart.Curve().pointCount != ResultsPerVerification)
        Fail(QStringLiteral("the chart shows %1 points").arg(chart.Curve().pointCount));

    // The chart's work alone: building the curve and drawing it.
    const std::unique_ptr<CurveSource> source = CurveSource::Archive(dm);
    std::vector<double> build;
    std::vector<double> draw;
    std::vector<double> redraw;
    for (int n = 0; n < Switches; ++n) {
        double start = CpuMs();
        const ErrorCurve curve = ErrorCurveBuilder::Build(source->Read());
        build.push_back(CpuMs() - start);
        start = CpuMs();
        chart.Redraw();
        redraw.push_back(CpuMs() - start);
        Settle({&chart});
        draw.push_back(CpuMs() - start);
    }

    const double b = Median(base);
    const double w = Median(with);
    std::printf("switch verification, %d results, CPU time, median of %d (max):\n",
                ResultsPerVerification, Switches);
    std::printf("  archive window alone        %7.2f ms (%.2f)   baseline\n", b, Max(base));
    std::printf("  with the chart window open  %7.2f ms (%.2f)   %.2fx   target <= %.0f ms %s\n", w,
                Max(with), w / b, TargetMs, w <= TargetMs ? "met" : "MISSED");
    std::printf("  chart's share               %7.2f ms\n", w - b);
    std::printf("  read and build the curve    %7.2f ms\n", Median(build));
    std::printf("  read, build, set the chart  %7.2f ms\n", Median(redraw));
    std::printf("  read, build, draw, paint    %7.2f ms (%.2f)\n", Median(draw), Max(draw));
    return w <= TargetMs ? 0 : 2;
}
