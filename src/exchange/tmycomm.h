// TMyComm: the serial line to the KM350 on Qt Serial Port, with blocking reads and writes.
#pragma once

#include "exchange/exchangeport.h"

#include <QSerialPort>
#include <QString>
#include <functional>

class TMyComm : public ExchangePort
{
    Q_OBJECT
  public:
    enum TStopBits : int { SB_ONESTOPBIT, SB_ONE5STOPBITS, SB_TWOSTOPBITS };
    enum TParity : int { paNone, paOdd, paEven, paMark, paSpace };

    explicit TMyComm(QObject* owner = nullptr);
    ~TMyComm() override;

    // Opens the device of ComNo; a device that cannot be opened leaves the port closed, silently.
    void Open() override;
    // Raises OnDeActivate on every call, then releases the device when open.
    void Close() override;
    bool IsOpen() const override;
    // Blocking within the time-outs; a negative count throws std::out_of_range.
    int Write(const char* buffer, int count) override;
    int Read(char* buffer, int count);
    void WriteByte(quint8 value);
    quint8 ReadByte() override;
    void Purge() override;
    int InQueueCount() override;
    void Sleep(int milliseconds) override;

    TBaudRate BaudRate() const override { return m_baudRate; }
    void SetBaudRate(TBaudRate rate) override;
    TStopBits StopBits() const { return m_stopBits; }
    void SetStopBits(TStopBits bits);
    TComNo ComNo() const override { return m_comNo; }
    void SetComNo(TComNo comNo) override;
    TParity Parity() const { return m_parity; }
    void SetParity(TParity parity);
    int ByteSize() const { return m_byteSize; }
    void SetByteSize(int size);
    // Size of the input queue: bytes that arrive while it is full are lost.
    int BufferLen() const { return m_bufferLen; }
    void SetBufferLen(int length);
    int ReadTimeout() const { return m_readTimeout; }
    void SetReadTimeout(int milliseconds);
    int WriteTimeout() const { return m_writeTimeout; }
    void SetWriteTimeout(int milliseconds);

    std::function<void(TMyComm*)> OnActivate;   // after a successful open
    std::function<void(TMyComm*)> OnDeActivate; // at the start of every close

    // Bits per second of a rate ordinal; an unknown ordinal gives 9600.
    static int RateOf(TBaudRate rate);
    // The device path of a port name, from the settings group "Ports" or the default.
    static QString DevicePath(TComNo comNo);

  private:
    void ApplyLineSettings();
    void Drain();
    // Moves what the line delivered into the input queue, up to BufferLen bytes.
    void TakeReceived();

    QSerialPort m_port;
    QByteArray m_rx; // received bytes not yet read, at most BufferLen
    TBaudRate m_baudRate = BR___9600;
    TStopBits m_stopBits = SB_ONESTOPBIT;
    TComNo m_comNo = Com2;
    TParity m_parity = paNone;
    int m_byteSize = 8;
    int m_bufferLen = 300;
    int m_readTimeout = 1000;
    int m_writeTimeout = 1000;
};
