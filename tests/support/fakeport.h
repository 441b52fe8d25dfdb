// A port double: the test feeds received bytes and reads back every write with the rate it went out
// at.
#pragma once

#include "exchange/exchangeport.h"

#include <QByteArray>
#include <QList>

class FakePort : public ExchangePort
{
  public:
    struct Sent {
        QByteArray bytes;
        TBaudRate rate;
    };

    QByteArray rx;
    QList<Sent> writes;
    TBaudRate rate = BR__19200;
    TComNo comNo = Com2;
    bool open = true;
    int sleptMs = 0;

    // Bytes arrive from the device and the port notifies.
    void Feed(const QByteArray& bytes)
    {
        rx.append(bytes);
        emit ReadyRead();
    }

    void Open() override { open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    int Write(const char* buffer, int count) override
    {
        writes.append({QByteArray(buffer, count), rate});
        return count;
    }
    int InQueueCount() override { return static_cast<int>(rx.size()); }
    quint8 ReadByte() override
    {
        const auto b = static_cast<quint8>(rx.at(0));
        rx.remove(0, 1);
        return b;
    }
    void Purge() override { rx.clear(); }
    TBaudRate BaudRate() const override { return rate; }
    void SetBaudRate(TBaudRate r) override { rate = r; }
    TComNo ComNo() const override { return comNo; }
    void SetComNo(TComNo c) override { comNo = c; }
    void Sleep(int milliseconds) override { sleptMs += milliseconds; }
};
