// A km350-sim process on a pseudo-terminal and the program's port, engine and timers connected to
// it.
#pragma once

#include "core/ulang.h"
#include "exchange/exchangeengine.h"
#include "exchange/qtexchangetimer.h"
#include "exchange/tmycomm.h"
#include "support/fakehooks.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <memory>

class SimSession
{
  public:
    // Starts the simulator with the given options and opens the port on its terminal as COM2.
    bool Start(const QStringList& simArgs, int requestTimeoutMs = 10000)
    {
        sim.setProgram(QStringLiteral(KM350_SIM_PATH));
        sim.setArguments(simArgs);
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start();
        if (!sim.waitForStarted(20000))
            return false;
        QDeadlineTimer deadline(20000);
        while (!sim.canReadLine() && !deadline.hasExpired())
            sim.waitForReadyRead(500);
        path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        if (!path.startsWith(QLatin1Char('/')))
            return false;
        {
            QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ormix"),
                               QStringLiteral("KM350"));
            settings.setValue(QStringLiteral("Ports/COM2"), path);
        }
        timerRequest = std::make_unique<QtExchangeTimer>(requestTimeoutMs);
        timerColor = std::make_unique<QtExchangeTimer>(500);
        engine = std::make_unique<ExchangeEngine>(comm, *timerRequest, *timerColor, hooks);
        comm.SetComNo(TMyComm::Com2);
        comm.SetBaudRate(BR__19200);
        comm.Open();
        return comm.IsOpen();
    }

    ~SimSession()
    {
        engine.reset();
        comm.Close();
        sim.terminate();
        if (!sim.waitForFinished(5000))
            sim.kill();
        sim.waitForFinished(5000);
    }

    // Runs one exchange the way the commands do, until the panel closes or a failure shows.
    void Run(const QStringList& script, int timeoutMs = 120000)
    {
        const int closedBefore = hooks.panelClosed;
        hooks.status.clear();
        comm.SetBaudRate(BR__19200);
        engine->StartExchange(script);
        WaitFor([&] { return hooks.panelClosed > closedBefore || Failed(); }, timeoutMs);
    }

    bool Failed() const
    {
        return hooks.status == ULang::TransferError || hooks.status == ULang::NoDeviceLink;
    }

    template <typename Pred> static bool WaitFor(Pred done, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            50);
        }
        return true;
    }

    QProcess sim;
    QString path;
    TMyComm comm;
    FakeHooks hooks;
    std::unique_ptr<QtExchangeTimer> timerRequest;
    std::unique_ptr<QtExchangeTimer> timerColor;
    std::unique_ptr<ExchangeEngine> engine;
};
