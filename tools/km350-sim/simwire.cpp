// Simulator wire helpers.
#include "simwire.h"

namespace SimWire
{

QByteArray ToWire(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out.append(static_cast<char>(u));
        else if (u >= 0x0410 && u <= 0x044F)
            out.append(static_cast<char>(u - 0x0410 + 0xC0));
        else if (u == 0x0401)
            out.append('\xA8');
        else if (u == 0x0451)
            out.append('\xB8');
        else if (u == 0x2116)
            out.append('\xB9');
        else
            out.append('?');
    }
    return out;
}

QString FromWire(const QByteArray& bytes)
{
    QString out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.append(QChar(b));
        else if (b >= 0xC0)
            out.append(QChar(static_cast<char16_t>(0x0410 + b - 0xC0)));
        else if (b == 0xA8)
            out.append(QChar(0x0401));
        else if (b == 0xB8)
            out.append(QChar(0x0451));
        else if (b == 0xB9)
            out.append(QChar(0x2116));
        else
            out.append(QChar(0xFFFD));
    }
    return out;
}

QByteArray Padded(const QString& text, int width)
{
    QByteArray b = ToWire(text).left(width);
    while (b.size() < width)
        b.append(' ');
    return b;
}

QByteArray BuildRecord(const QList<QPair<char, QByteArray>>& fields)
{
    QByteArray body;
    for (const auto& f : fields) {
        body.append(f.first);
        body.append('(');
        body.append(f.second);
        body.append(')');
    }
    unsigned sum = 0;
    for (char c : body)
        sum += static_cast<unsigned char>(c);
    QByteArray out("/\x02", 2);
    out.append(body);
    out.append('\x03');
    out.append(static_cast<char>(sum & 0xFF));
    out.append("\r\n", 2);
    return out;
}

bool ReadRecord(const QByteArray& frame, QList<QPair<char, QString>>& fields)
{
    // Walk the fields one by one: letter, "(", value, ")"; then ETX, checksum, CR, LF.
    if (frame.size() < 6 || frame[0] != '/' || frame[1] != '\x02')
        return false;
    qsizetype i = 2;
    unsigned sum = 0;
    while (i < frame.size() && frame[i] != '\x03') {
        if (i + 1 >= frame.size() || frame[i + 1] != '(')
            return false;
        const qsizetype close = frame.indexOf(')', i + 2);
        if (close < 0)
            return false;
        for (qsizetype k = i; k <= close; ++k)
            sum += static_cast<unsigned char>(frame[k]);
        fields.append({frame[i], FromWire(frame.mid(i + 2, close - i - 2))});
        i = close + 1;
    }
    if (i + 4 != frame.size())
        return false;
    return static_cast<unsigned char>(frame[i + 1]) == (sum & 0xFF);
}

} // namespace SimWire
