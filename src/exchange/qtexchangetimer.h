// The exchange timer on a QTimer of the user-interface thread.
#pragma once

#include "exchange/exchangetimer.h"

#include <QTimer>

class QtExchangeTimer : public ExchangeTimer
{
  public:
    explicit QtExchangeTimer(int intervalMs);
    void Start() override;
    void Stop() override;
    bool IsActive() const override;

  private:
    QTimer m_timer;
};
