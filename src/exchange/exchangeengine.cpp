// Exchange engine: frame sending with retransmission, byte-wise reception, time-outs and status.
#include "exchange/exchangeengine.h"

#include "core/ulang.h"
#include "exchange/framecodec.h"

#include <QMetaObject>

#include <exception>

using namespace FrameCodec;

ExchangeEngine::ExchangeEngine(ExchangePort& port, ExchangeTimer& timerRequest,
                               ExchangeTimer& timerColor, ExchangeHooks& hooks, QObject* parent)
    : QObject(parent), m_port(port), m_timerRequest(timerRequest), m_timerColor(timerColor),
      m_hooks(hooks)
{
    m_timerRequest.SetHandler([this] { TimerRequestTimer(); });
    m_timerColor.SetHandler([this] { TimerColorTimer(); });
    connect(&m_port, &ExchangePort::ReadyRead, this, &ExchangeEngine::OnReadyRead);
}

QStringList ExchangeEngine::LoadScript(const QString& announce, const QString& record, int rows)
{
    QStringList script{QStringLiteral("C?"), QStringLiteral("Speed"), QStringLiteral("C?"),
                       announce};
    for (int i = 0; i < rows; ++i)
        script << record;
    script << QStringLiteral("O");
    return script;
}

QStringList ExchangeEngine::ReadScript(const QString& ask, const QString& hold)
{
    return {QStringLiteral("C?"),         QStringLiteral("Speed"), QStringLiteral("C?"), ask, hold,
            QStringLiteral("Принимаю!!!")};
}

void ExchangeEngine::StartExchange(const QStringList& script)
{
    ResumePolling();
    m_rx.Reset();
    m_script = script;
    m_step = 0;
    m_checksum = 0;
    m_retries = 0;
    ExecuteStep();
}

void ExchangeEngine::PausePolling()
{
    m_polling = false;
}

void ExchangeEngine::ResumePolling()
{
    if (m_polling)
        return;
    m_polling = true;
    // Bytes that waited while paused get no new notification; take them up from the event loop.
    QMetaObject::invokeMethod(this, &ExchangeEngine::OnReadyRead, Qt::QueuedConnection);
}

void ExchangeEngine::OnReadyRead()
{
    // A write inside a poll step may let the port notify again; the outer loop reads on.
    if (m_inPoll)
        return;
    m_inPoll = true;
    while (m_polling) {
        try {
            if (m_port.InQueueCount() <= 0)
                break;
            PollPort();
        } catch (const std::exception&) {
            // An error in a step ends the exchange as a transfer failure; reception goes on.
            ShowTransferError();
        }
    }
    m_inPoll = false;
}

void ExchangeEngine::SendFrame()
{
    m_port.Write(m_frameBytes.constData(), static_cast<int>(m_frameBytes.size()));
    m_timerRequest.Start();
}

void ExchangeEngine::SendControl(char code)
{
    m_frameBytes = ControlFrame(code);
    SendFrame();
}

void ExchangeEngine::SendSpeed()
{
    const QString text = m_hooks.RateSettingText();
    if (text == QLatin1String("19200"))
        m_speedCode = 1;
    else if (text == QLatin1String("38400"))
        m_speedCode = 2;
    else if (text == QLatin1String("57600"))
        m_speedCode = 3;
    else if (text == QLatin1String("115200"))
        m_speedCode = 4;
    m_frameBytes = SpeedFrame(m_speedCode);
    SendFrame();
    m_port.Sleep(3);
    switch (m_speedCode) {
    case 1:
        m_port.SetBaudRate(BR__19200);
        break;
    case 2:
        m_port.SetBaudRate(BR__38400);
        break;
    case 3:
        m_port.SetBaudRate(BR__57600);
        break;
    case 4:
        m_port.SetBaudRate(BR_115200);
        break;
    default:
        break;
    }
}

void ExchangeEngine::SendMeterRecord()
{
    std::optional<MeterRow> row = m_hooks.NextMeterRow();
    if (!row) {
        // The script asks for more meters than the buffer holds: never send an invented record.
        ShowTransferError();
        return;
    }
    m_frameBytes = MeterRecord(*row);
    m_checksum = static_cast<quint8>(m_frameBytes.at(MeterRecordSize - 3));
    SendFrame();
}

void ExchangeEngine::SendTypeRecord()
{
    std::optional<TypeRow> row = m_hooks.NextTypeRow();
    if (!row) {
        ShowTransferError();
        return;
    }
    m_frameBytes = TypeRecord(*row);
    m_checksum = static_cast<quint8>(m_frameBytes.at(TypeRecordSize - 3));
    SendFrame();
}

void ExchangeEngine::ExecuteStep()
{
    try {
        SendStep();
    } catch (const std::exception&) {
        // The command that started the exchange, or the poll step that went on with it, must not
        // be left waiting for an answer to a frame that was never sent.
        ShowTransferError();
    }
}

void ExchangeEngine::SendStep()
{
    if (m_step < 0 || m_step >= m_script.size())
        return;
    const QString& name = m_script.at(m_step);
    if (name == QLatin1String("C?"))
        SendControl('?');
    else if (name == QLatin1String("Speed"))
        SendSpeed();
    else if (name == QLatin1String("CW"))
        SendControl('W');
    else if (name == QLatin1String("CWD"))
        SendMeterRecord();
    else if (name == QLatin1String("Cw"))
        SendControl('w');
    else if (name == QLatin1String("CwD"))
        SendTypeRecord();
    else if (name == QLatin1String("CR"))
        SendControl('R');
    else if (name == QLatin1String("Cr"))
        SendControl('r');
    else if (name == QLatin1String("O"))
        SendControl(EndMark);
    // Any other name holds the script open while the device sends its records.
}

void ExchangeEngine::PollPort()
{
    if (m_port.InQueueCount() <= 0)
        return;
    const char b = static_cast<char>(m_port.ReadByte());
    if (m_rx.Add(b) != FrameAssembler::Result::Complete)
        return;

    m_timerRequest.Stop();
    const QByteArray frame = m_rx.Frame();
    if (frame.at(1) == STX) {
        if (ParseRecord(frame)) {
            SendControl(ACK);
            m_retries = 0;
        } else if (m_retries < MaxRetries) {
            SendControl(NAK);
            m_retries += 1;
        } else {
            ShowTransferError();
        }
    } else {
        HandleReply(frame.at(1));
    }
}

bool ExchangeEngine::ParseRecord(const QByteArray& frame)
{
    // Each record stands alone: values left over from a refused record must not join the next one.
    m_values.Clear();
    if (!FrameCodec::ParseRecord(frame, m_values, m_incompleteIdent))
        return false;
    bool stored = false;
    try {
        stored = m_hooks.StoreRecord(m_values);
    } catch (...) {
        stored = false;
    }
    if (stored)
        m_values.Clear();
    return stored;
}

void ExchangeEngine::HandleReply(char code)
{
    if (code == ACK) {
        if (m_step < m_script.size() - 1) {
            m_step += 1;
            ExecuteStep();
            m_retries = 0;
        } else {
            FinishExchange();
        }
    } else if (code == NAK) {
        if (m_retries >= MaxRetries) {
            ShowTransferError();
        } else {
            SendFrame();
            m_retries += 1;
        }
    } else if (code == EndMark) {
        SendControl(ACK);
        FinishExchange();
        m_retries = 0;
    }
}

void ExchangeEngine::ShowTransferError()
{
    m_hooks.SetStatus(ULang::TransferError, StatusColour::Red);
    m_timerColor.Start();
    m_timerRequest.Stop();
}

void ExchangeEngine::FinishExchange()
{
    PausePolling();
    m_hooks.ClosePanel();
    m_hooks.RewindRows();
    m_timerColor.Stop();
    m_timerRequest.Stop();
    m_hooks.UpdateMeterCount();
    m_hooks.SetStatus(ULang::ExchangeFinished, StatusColour::Unchanged);
}

void ExchangeEngine::TimerRequestTimer()
{
    PausePolling();
    m_hooks.SetStatus(ULang::NoDeviceLink, StatusColour::Red);
    m_timerColor.Start();
}

void ExchangeEngine::TimerColorTimer()
{
    m_hooks.ToggleStatusVisible();
}
