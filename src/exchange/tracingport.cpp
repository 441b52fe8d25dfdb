// Exchange trace around the port.
#include "exchange/tracingport.h"

#include "exchange/framecodec.h"

#include <QSaveFile>

TracingPort::TracingPort(ExchangePort& port, QObject* parent) : ExchangePort(parent), m_port(port)
{
    connect(&m_port, &ExchangePort::ReadyRead, this, &ExchangePort::ReadyRead);
}

int TracingPort::Write(const char* buffer, int count)
{
    const int written = m_port.Write(buffer, count);
    if (count > 0)
        m_lines.append(FrameCodec::Trace('@', QByteArray(buffer, count)));
    return written;
}

quint8 TracingPort::ReadByte()
{
    const quint8 b = m_port.ReadByte();
    if (m_received.Add(static_cast<char>(b)) == FrameAssembler::Result::Complete)
        m_lines.append(FrameCodec::Trace('/', m_received.Frame()));
    return b;
}

void TracingPort::Clear()
{
    m_lines.clear();
    m_received.Reset();
}

bool TracingPort::Save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const QString& line : m_lines) {
        file.write(line.toUtf8());
        file.write("\n");
    }
    return file.commit();
}
