// The device simulator in-process behind the port interface: what the program writes reaches the
// simulated KM350 at once, and its answers arrive with the next turn of the event loop, as from a
// line.
#pragma once

#include "exchange/exchangeport.h"
#include "simdevice.h"

#include <QByteArray>
#include <QList>
#include <QMetaObject>

#include <functional>

class SimPort : public ExchangePort
{
  public:
    SimPort()
    {
        device.write = [this](const QByteArray& bytes) {
            m_rx.append(bytes);
            QMetaObject::invokeMethod(this, &ExchangePort::ReadyRead, Qt::QueuedConnection);
        };
    }

    SimDevice device;
    bool present = true;       // false: the device cannot be opened
    QList<QByteArray> written; // every write of the program, as it went out
    // Sees each write before the device does; may throw, as a port that fails.
    std::function<void(const QByteArray&)> beforeWrite;

    void Open() override { m_open = present; }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    int Write(const char* buffer, int count) override
    {
        if (!m_open)
            return 0;
        const QByteArray bytes(buffer, count);
        if (beforeWrite)
            beforeWrite(bytes);
        written.append(bytes);
        device.Feed(bytes);
        return count;
    }
    int InQueueCount() override { return m_open ? static_cast<int>(m_rx.size()) : 0; }
    quint8 ReadByte() override
    {
        const auto b = static_cast<quint8>(m_rx.at(0));
        m_rx.remove(0, 1);
        return b;
    }
    void Purge() override { m_rx.clear(); }
    TBaudRate BaudRate() const override { return m_rate; }
    void SetBaudRate(TBaudRate rate) override { m_rate = rate; }
    TComNo ComNo() const override { return m_comNo; }
    void SetComNo(TComNo comNo) override
    {
        if (comNo != m_comNo)
            Close();
        m_comNo = comNo;
    }
    void Sleep(int) override {}

  private:
    QByteArray m_rx;
    bool m_open = false;
    TBaudRate m_rate = BR___9600;
    TComNo m_comNo = Com2;
};
