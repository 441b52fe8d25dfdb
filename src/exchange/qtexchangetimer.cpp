// QTimer-based exchange timer.
#include "exchange/qtexchangetimer.h"

QtExchangeTimer::QtExchangeTimer(int intervalMs)
{
    m_timer.setInterval(intervalMs);
    m_timer.setSingleShot(false);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Fire(); });
}

void QtExchangeTimer::Start()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void QtExchangeTimer::Stop()
{
    m_timer.stop();
}

bool QtExchangeTimer::IsActive() const
{
    return m_timer.isActive();
}
