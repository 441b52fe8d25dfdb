// A timer double whose interval passes only when the test says so.
#pragma once

#include "exchange/exchangetimer.h"

class FakeTimer : public ExchangeTimer
{
  public:
    bool active = false;

    void Start() override { active = true; }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }

    // One interval passes.
    void Elapse()
    {
        if (active)
            Fire();
    }
};
