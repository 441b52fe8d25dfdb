// The exchange trace: a decorator around the port that sees every byte crossing it and keeps one
// line per frame, for support.
#pragma once

#include "exchange/exchangeport.h"
#include "exchange/frameassembler.h"

#include <QStringList>

class TracingPort : public ExchangePort
{
    Q_OBJECT
  public:
    // port must outlive the decorator.
    explicit TracingPort(ExchangePort& port, QObject* parent = nullptr);

    void Open() override { m_port.Open(); }
    void Close() override { m_port.Close(); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    // Each write is one frame sent: its line is "@" and "+" with each byte's decimal value.
    int Write(const char* buffer, int count) override;
    int InQueueCount() override { return m_port.InQueueCount(); }
    // A received frame, from its "/" to its CR LF, gets the line "/" and "+" with each byte's
    // value; bytes outside frames get none.
    quint8 ReadByte() override;
    void Purge() override { m_port.Purge(); }
    TBaudRate BaudRate() const override { return m_port.BaudRate(); }
    void SetBaudRate(TBaudRate rate) override { m_port.SetBaudRate(rate); }
    TComNo ComNo() const override { return m_port.ComNo(); }
    void SetComNo(TComNo comNo) override { m_port.SetComNo(comNo); }
    void Sleep(int milliseconds) override { m_port.Sleep(milliseconds); }

    // The frames since the last Clear, in the order they crossed the port.
    const QStringList& Lines() const { return m_lines; }
    void Clear();
    // Writes the lines to a text file, one a line; false when the file cannot be written.
    bool Save(const QString& path) const;

  private:
    ExchangePort& m_port;
    FrameAssembler m_received;
    QStringList m_lines;
};
