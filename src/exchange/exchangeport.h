// What the exchange engine needs of a serial line, so it can run on the real port or a test double.
#pragma once

#include <QObject>

// Line rates of the port, by ordinal; any other ordinal means 9600 bit/s.
enum TBaudRate : int {
    BR____110,
    BR____300,
    BR____600,
    BR___1200,
    BR___2400,
    BR___4800,
    BR___9600,
    BR__14400,
    BR__19200,
    BR__38400,
    BR__56000,
    BR__57600,
    BR_115200,
    BR_128000,
    BR_256000
};

class ExchangePort : public QObject
{
    Q_OBJECT
  public:
    // The device names a port can be set to.
    enum TComNo : int { Com1, Com2, Com3, Lpt1 };

    using QObject::QObject;
    ~ExchangePort() override = default;

    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Bytes written; 0 when closed or on failure.
    virtual int Write(const char* buffer, int count) = 0;
    // Received bytes waiting; never blocks.
    virtual int InQueueCount() = 0;
    // Call only when InQueueCount is positive.
    virtual quint8 ReadByte() = 0;
    // Waits for pending output, then drops both queues.
    virtual void Purge() = 0;
    virtual TBaudRate BaudRate() const = 0;
    virtual void SetBaudRate(TBaudRate rate) = 0;
    virtual TComNo ComNo() const = 0;
    // Choosing another device closes an open port; the next Open opens the new one.
    virtual void SetComNo(TComNo comNo) = 0;
    // Short pause the protocol needs around a rate switch.
    virtual void Sleep(int milliseconds) = 0;

  signals:
    // New bytes have arrived.
    void ReadyRead();
};
