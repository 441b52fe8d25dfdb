// A repeating timer as the exchange engine sees it, so tests can drive time by hand.
#pragma once

#include <functional>
#include <utility>

class ExchangeTimer
{
  public:
    virtual ~ExchangeTimer() = default;
    // Starting a running timer does not restart its interval.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

    void SetHandler(std::function<void()> handler) { m_handler = std::move(handler); }

  protected:
    void Fire()
    {
        if (m_handler)
            m_handler();
    }

  private:
    std::function<void()> m_handler;
};
