// bench-exchange: a 100-meter load and a 100-meter read against km350-sim; CPU time against wire
// time.
#include "benchhooks.h"
#include "core/ulang.h"
#include "exchange/exchangeengine.h"
#include "exchange/qtexchangetimer.h"
#include "exchange/tmycomm.h"
#include "exchange/tracingport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace
{

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

template <typename Pred> bool WaitFor(Pred done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

struct Figures {
    double wall = 0, cpu = 0, wire = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int idleSeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    // Keep the benchmark's port setting out of the user's own settings file.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(KM350_SIM_PATH), {"--demo", "--results", "10"});
    if (!sim.waitForStarted(20000) || !WaitFor([&] { return sim.canReadLine(); }, 20000)) {
        std::fprintf(stderr, "bench-exchange: km350-sim did not start\n");
        return 1;
    }
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Ormix", "KM350")
        .setValue("Ports/COM2", path);

    TMyComm comm;
    comm.SetComNo(TMyComm::Com2);
    comm.SetBaudRate(BR__19200);
    comm.Open();
    if (!comm.IsOpen()) {
        std::fprintf(stderr, "bench-exchange: cannot open %s\n", qPrintable(path));
        return 1;
    }
    QtExchangeTimer timerRequest(1000);
    QtExchangeTimer timerColor(500);
    BenchHooks hooks;
    for (int i = 0; i < 100; ++i)
        hooks.meters.append(MeterRow{QStringLiteral("ул. Мира %1").arg(i),
                                     QStringLiteral("СО-И446"), 1600, QString::number(100000 + i)});
    // Through the trace, as the exchange window runs it; its lines also count the wire bytes.
    TracingPort traced(comm);
    ExchangeEngine engine(traced, timerRequest, timerColor, hooks);
    auto wireBytes = [&traced] {
        long long bytes = 0;
        for (const QString& line : traced.Lines())
            bytes += line.count(QLatin1Char('+'));
        return bytes;
    };

    auto run = [&](const QStringList& script, const char* name) {
        Figures f;
        traced.Clear();
        hooks.status.clear();
        const int closed = hooks.panelClosed;
        comm.SetBaudRate(BR__19200);
        const double cpu0 = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        engine.StartExchange(script);
        WaitFor(
            [&] {
                return hooks.panelClosed > closed || hooks.status == ULang::TransferError ||
                       hooks.status == ULang::NoDeviceLink;
            },
            300000);
        f.wall = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        f.cpu = CpuSeconds() - cpu0;
        f.wire = static_cast<double>(wireBytes()) * 10.0 / 115200.0;
        std::printf("%-5s %-22s bytes %7lld  wall %7.3f s  CPU %7.3f s  wire at 115200 %7.3f s  "
                    "CPU/wire %6.2f %%\n",
                    name, qPrintable(hooks.status), wireBytes(), f.wall, f.cpu, f.wire,
                    100.0 * f.cpu / f.wire);
        return f;
    };

    const Figures a =
        run(ExchangeEngine::LoadScript(QStringLiteral("CW"), QStringLiteral("CWD"), 100), "load");
    const Figures b =
        run(ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD")), "read");
    std::printf("records stored by the read: %lld (expected %d)\n", hooks.storedRecords, 100 * 12);
    const double ratio = (a.cpu + b.cpu) / (a.wire + b.wire);
    std::printf("total: CPU %.3f s, wire %.3f s, CPU/wire %.2f %% (target under 5 %%)\n",
                a.cpu + b.cpu, a.wire + b.wire, 100.0 * ratio);

    // Idle: the port stays open with polling on, as between commands after a resume.
    engine.ResumePolling();
    const double idle0 = CpuSeconds();
    QTimer::singleShot(idleSeconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double idle = CpuSeconds() - idle0;
    std::printf("idle %d s with the port open: CPU %.4f s (target under %.3f s)\n", idleSeconds,
                idle, 0.05 * idleSeconds / 10.0);

    comm.Close();
    sim.terminate();
    sim.waitForFinished(5000);
    return ratio < 0.05 && idle < 0.05 * idleSeconds / 10.0 ? 0 : 3;
}
