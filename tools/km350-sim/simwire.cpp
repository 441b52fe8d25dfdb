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

bool ReadLaidOutRecord(const QByteArray& frame, const QList<QPair<char, int>>& layout,
                       QList<QPair<char, QString>>& fields)
{
    qsizetype size = 2 + 4;
    for (const auto& f : layout)
        size += 3 + f.second;
    if (frame.size() != size || frame[0] != '/' || frame[1] != '\x02')
        return false;
    qsizetype i = 2;
    unsigned sum = 0;
    for (const auto& f : layout) {
        if (frame[i] != f.first || frame[i + 1] != '(' || frame[i + 2 + f.second] != ')')
            return false;
        for (qsizetype k = i; k <= i + 2 + f.second; ++k)
            sum += static_cast<unsigned char>(frame[k]);
        fields.append({f.first, FromWire(frame.mid(i + 2, f.second))});
        i += 3 + f.second;
    }
    return frame[i] == '\x03' && static_cast<unsigned char>(frame[i + 1]) == (sum & 0xFF) &&
           frame[i + 2] == '\r' && frame[i + 3] == '\n';
}

} // namespace SimWire
