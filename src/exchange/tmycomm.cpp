// Serial port on Qt Serial Port; writes and drains go to the descriptor so they block like the
// device expects.
#include "exchange/tmycomm.h"

#include <QDeadlineTimer>
#include <QSettings>
#include <QThread>

#include <algorithm>

#include <cerrno>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace
{

void RequireNonNegative(int value, const char* what)
{
    if (value < 0)
        throw std::out_of_range(what);
}

} // namespace

TMyComm::TMyComm(QObject* owner) : ExchangePort(owner)
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        TakeReceived();
        if (!m_rx.isEmpty())
            emit ReadyRead();
    });
}

void TMyComm::TakeReceived()
{
    if (!m_port.isOpen() || m_port.bytesAvailable() <= 0)
        return;
    // The input queue holds BufferLen bytes; what arrives while it is full is lost, as with a
    // driver's input queue, so a line streaming while no exchange reads cannot fill memory.
    const QByteArray got = m_port.readAll();
    const qsizetype room = std::max<qsizetype>(0, m_bufferLen - m_rx.size());
    m_rx.append(got.constData(), std::min(room, got.size()));
}

TMyComm::~TMyComm()
{
    Close();
}

int TMyComm::RateOf(TBaudRate rate)
{
    static constexpr int Rates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                    19200, 38400, 56000, 57600, 115200, 128000, 256000};
    const int i = static_cast<int>(rate);
    return i >= 0 && i < static_cast<int>(std::size(Rates)) ? Rates[i] : 9600;
}

QString TMyComm::DevicePath(TComNo comNo)
{
    static const char* const Keys[] = {"COM1", "COM2", "COM3", "LPT1"};
    static const char* const Defaults[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/lp0"};
    const int i = static_cast<int>(comNo);
    if (i < 0 || i > 3)
        return QString();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ormix"),
                       QStringLiteral("KM350"));
    settings.beginGroup(QStringLiteral("Ports"));
    const QString path = settings.value(QLatin1String(Keys[i])).toString().trimmed();
    return path.isEmpty() ? QString::fromLatin1(Defaults[i]) : path;
}

void TMyComm::ApplyLineSettings()
{
    // Failures of the line calls are not reported; a pseudo-terminal refuses some of them.
    m_port.setBaudRate(RateOf(m_baudRate));
    if (m_byteSize >= 5 && m_byteSize <= 8)
        m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_byteSize));
    static constexpr QSerialPort::Parity Parities[] = {
        QSerialPort::NoParity, QSerialPort::OddParity, QSerialPort::EvenParity,
        QSerialPort::MarkParity, QSerialPort::SpaceParity};
    const int p = static_cast<int>(m_parity);
    m_port.setParity(p >= 0 && p < 5 ? Parities[p] : QSerialPort::NoParity);
    switch (m_stopBits) {
    case SB_ONE5STOPBITS:
        m_port.setStopBits(QSerialPort::OneAndHalfStop);
        break;
    case SB_TWOSTOPBITS:
        m_port.setStopBits(QSerialPort::TwoStop);
        break;
    default:
        m_port.setStopBits(QSerialPort::OneStop);
        break;
    }
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.clearError();
}

void TMyComm::Open()
{
    const QString path = DevicePath(m_comNo);
    if (path.isEmpty())
        return;
    m_port.setPortName(path);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_port.clearError();
        return;
    }
    ApplyLineSettings();
    m_port.setDataTerminalReady(true); // fails on a pseudo-terminal; that is fine
    m_port.clearError();
    Purge();
    if (OnActivate)
        OnActivate(this);
}

void TMyComm::Close()
{
    if (OnDeActivate)
        OnDeActivate(this);
    if (m_port.isOpen()) {
        Drain();
        m_port.clear(QSerialPort::AllDirections);
        m_port.close();
        m_port.clearError();
    }
    m_rx.clear();
}

bool TMyComm::IsOpen() const
{
    return m_port.isOpen();
}

void TMyComm::Drain()
{
    if (m_port.isOpen())
        ::tcdrain(m_port.handle());
}

int TMyComm::Write(const char* buffer, int count)
{
    RequireNonNegative(count, "TMyComm::Write: negative count");
    if (!m_port.isOpen() || count == 0)
        return 0;
    const int fd = m_port.handle();
    // The descriptor is non-blocking; wait for room within the write time-out.
    QDeadlineTimer deadline(static_cast<qint64>(m_writeTimeout) * count + m_writeTimeout);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, buffer + done, static_cast<size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            break;
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            break;
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
    }
    return done;
}

int TMyComm::Read(char* buffer, int count)
{
    RequireNonNegative(count, "TMyComm::Read: negative count");
    if (!m_port.isOpen() || count == 0)
        return 0;
    QDeadlineTimer total(static_cast<qint64>(m_readTimeout) * count + m_readTimeout);
    int done = 0;
    while (done < count) {
        TakeReceived();
        if (!m_rx.isEmpty()) {
            const int n = static_cast<int>(std::min<qsizetype>(count - done, m_rx.size()));
            std::copy_n(m_rx.constData(), n, buffer + done);
            m_rx.remove(0, n);
            done += n;
            continue;
        }
        const qint64 wait = std::min<qint64>(m_readTimeout, total.remainingTime());
        if (wait <= 0 || !m_port.waitForReadyRead(static_cast<int>(wait)))
            break;
    }
    return done;
}

void TMyComm::WriteByte(quint8 value)
{
    const char c = static_cast<char>(value);
    Write(&c, 1);
}

quint8 TMyComm::ReadByte()
{
    char c = 0;
    Read(&c, 1);
    return static_cast<quint8>(c);
}

void TMyComm::Purge()
{
    if (!m_port.isOpen())
        return;
    Drain();
    m_port.clear(QSerialPort::AllDirections);
    m_port.clearError();
    m_rx.clear();
}

int TMyComm::InQueueCount()
{
    if (!m_port.isOpen())
        return 0;
    m_port.clearError();
    TakeReceived();
    return static_cast<int>(m_rx.size());
}

void TMyComm::Sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void TMyComm::SetBaudRate(TBaudRate rate)
{
    if (rate == m_baudRate)
        return;
    m_baudRate = rate;
    if (m_port.isOpen()) {
        // A frame just written must leave the line at the rate it was written for.
        Drain();
        m_port.setBaudRate(RateOf(rate));
        m_port.clearError();
    }
}

void TMyComm::SetStopBits(TStopBits bits)
{
    if (bits == m_stopBits)
        return;
    m_stopBits = bits;
    if (m_port.isOpen())
        ApplyLineSettings();
}

void TMyComm::SetComNo(TComNo comNo)
{
    if (comNo == m_comNo)
        return;
    if (m_port.isOpen())
        Close();
    m_comNo = comNo;
}

void TMyComm::SetParity(TParity parity)
{
    m_parity = parity;
    if (m_port.isOpen())
        ApplyLineSettings();
}

void TMyComm::SetByteSize(int size)
{
    if (size < 0 || size > 255)
        throw std::out_of_range("TMyComm::SetByteSize: byte size out of range");
    m_byteSize = size;
    if (m_port.isOpen())
        ApplyLineSettings();
}

void TMyComm::SetBufferLen(int length)
{
    if (length == m_bufferLen)
        return;
    RequireNonNegative(length, "TMyComm::SetBufferLen: negative length");
    m_bufferLen = length;
    if (m_rx.size() > m_bufferLen)
        m_rx.truncate(m_bufferLen);
}

void TMyComm::SetReadTimeout(int milliseconds)
{
    if (milliseconds == m_readTimeout)
        return;
    RequireNonNegative(milliseconds, "TMyComm::SetReadTimeout: negative time-out");
    m_readTimeout = milliseconds;
}

void TMyComm::SetWriteTimeout(int milliseconds)
{
    if (milliseconds == m_writeTimeout)
        return;
    RequireNonNegative(milliseconds, "TMyComm::SetWriteTimeout: negative time-out");
    m_writeTimeout = milliseconds;
}
