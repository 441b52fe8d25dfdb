// A km350-sim process on a pseudo-terminal, mapped to COM1 in the program's settings.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>

class SimProcess
{
  public:
    bool Start(const QStringList& args)
    {
        m_sim.setProgram(QStringLiteral(KM350_SIM_PATH));
        m_sim.setArguments(args);
        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_sim.start();
        if (!m_sim.waitForStarted(20000))
            return false;
        QDeadlineTimer deadline(20000);
        while (!m_sim.canReadLine() && !deadline.hasExpired())
            m_sim.waitForReadyRead(200);
        const QString path = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
        if (!path.startsWith(QLatin1Char('/')))
            return false;
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ormix"),
                           QStringLiteral("KM350"));
        settings.setValue(QStringLiteral("Ports/COM1"), path);
        return true;
    }

    ~SimProcess()
    {
        m_sim.terminate();
        if (!m_sim.waitForFinished(5000))
            m_sim.kill();
        m_sim.waitForFinished(5000);
    }

  private:
    QProcess m_sim;
};
