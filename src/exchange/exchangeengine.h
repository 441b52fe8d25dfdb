// The exchange engine: runs a script of frames against the KM350 and handles what the device sends.
#pragma once

#include "exchange/devicerecord.h"
#include "exchange/exchangehooks.h"
#include "exchange/exchangeport.h"
#include "exchange/exchangetimer.h"
#include "exchange/frameassembler.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class ExchangeEngine : public QObject
{
    Q_OBJECT
  public:
    // A frame the device refuses, or a record it sends that fails, is tried again this often; the
    // next failure ends the exchange as a transfer failure.
    static constexpr int MaxRetries = 2;

    ExchangeEngine(ExchangePort& port, ExchangeTimer& timerRequest, ExchangeTimer& timerColor,
                   ExchangeHooks& hooks, QObject* parent = nullptr);

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

    // A device record held a blank address, serial number or type designation; the window tells
    // the user when the exchange panel closes and clears the note.
    bool IncompleteIdent() const { return m_incompleteIdent; }
    void ClearIncompleteIdent() { m_incompleteIdent = false; }

    void SendFrame();
    void SendControl(char code);
    void SendSpeed();
    void SendMeterRecord();
    void SendTypeRecord();
    // Sends what the current step calls for; an error while sending it (the buffer cannot be read,
    // the port refuses) ends the exchange as a transfer failure.
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
    // What the current step sends; ExecuteStep turns an error in it into a transfer failure.
    void SendStep();

    ExchangePort& m_port;
    ExchangeTimer& m_timerRequest;
    ExchangeTimer& m_timerColor;
    ExchangeHooks& m_hooks;
    bool m_polling = false;
    bool m_inPoll = false;

    // State of the running exchange.
    QStringList m_script;
    int m_step = 0;
    QByteArray m_frameBytes; // the last frame sent, kept for retransmission
    FrameAssembler m_rx;     // the incoming frame from its "/"
    quint8 m_speedCode = 1;
    int m_retries = 0;
    DeviceRecord m_values; // the last device record's lettered values
    bool m_incompleteIdent = false;
    quint8 m_checksum = 0;
};
