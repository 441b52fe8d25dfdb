// The exchange engine: runs a script of frames against the KM350 and handles what the device sends.
#pragma once

#include "exchange/devicerecord.h"
#include "exchange/exchangehooks.h"
#include "exchange/exchangeport.h"
#include "exchange/exchangetimer.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class ExchangeEngine : public QObject
{
    Q_OBJECT
  public:
    // A frame longer than this is garbage on the line; it is dropped rather than collected further.
    static constexpr qsizetype MaxFrameBytes = 4096;

    ExchangeEngine(ExchangePort& port, ExchangeTimer& timerRequest, ExchangeTimer& timerColor,
                   ExchangeHooks& hooks, QObject* parent = nullptr);

    // State of the running exchange; the exchange commands set it up.
    QStringList Script;
    int Step = 0;
    QByteArray FrameBytes;       // the last frame sent, kept for retransmission
    bool WaitingForStart = true; // no incoming frame is being collected
    QByteArray RxText;           // the incoming frame from its "/"
    quint8 SpeedCode = 1;
    int Retries = 0;
    DeviceRecord Values; // the last device record's lettered values
    bool IncompleteIdent = false;
    quint8 Checksum = 0;
    QString Edit1; // trace of the last frame received
    QString Edit2; // trace of the last frame sent

    // The start of every exchange command: resume polling, wait for a frame, run the script.
    void StartExchange(const QStringList& script);
    // The script of a load: query, rate switch, query, the announce step, one record step per
    // row, the end mark ("CW"/"CWD" for meters, "Cw"/"CwD" for types).
    static QStringList LoadScript(const QString& announce, const QString& record, int rows);
    // The script of a read: query, rate switch, query, the request and the receiving step
    // ("CR"/"CRD" for meters, "Cr"/"CrD" for types).
    static QStringList ReadScript(const QString& ask, const QString& hold);

    bool IsPolling() const { return m_polling; }
    // Received bytes stay in the port's queue while polling is paused.
    void PausePolling();
    void ResumePolling();

    void SendFrame();
    void SendControl(char code);
    void SendSpeed();
    void SendMeterRecord();
    void SendTypeRecord();
    void ExecuteStep();
    void PollPort();
    bool ParseRecord(const QByteArray& frame);
    void HandleReply(char code);
    void ShowTransferError();
    void FinishExchange();
    void TimerRequestTimer();
    void TimerColorTimer();

  private:
    // One poll step per waiting byte, on the port's ready-read notification.
    void OnReadyRead();

    ExchangePort& m_port;
    ExchangeTimer& m_timerRequest;
    ExchangeTimer& m_timerColor;
    ExchangeHooks& m_hooks;
    bool m_polling = false;
    bool m_inPoll = false;
};
