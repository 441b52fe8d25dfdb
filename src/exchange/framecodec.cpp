// Frame building and device-record reading; pure functions over byte arrays.
#include "exchange/framecodec.h"

#include "core/utools.h"
#include "exchange/cp1251.h"

namespace FrameCodec
{

namespace
{

void AppendField(QByteArray& out, char letter, const QByteArray& value)
{
    out.append(letter);
    out.append('(');
    out.append(value);
    out.append(')');
}

// ETX, the checksum of everything after STX, CR, LF.
void Close(QByteArray& out)
{
    quint8 sum = Checksum(out, 2, out.size() - 1);
    out.append(ETX);
    out.append(static_cast<char>(sum));
    out.append(CR);
    out.append(LF);
}

} // namespace

QByteArray ControlFrame(char code)
{
    const char bytes[] = {Slash, code, CR, LF};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray SpeedFrame(quint8 code)
{
    const char bytes[] = {Slash, 'V', '(', static_cast<char>(code), ')', CR, LF};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray FitField(const QString& text, int width)
{
    QByteArray bytes = Cp1251::Encode(text).left(width);
    if (bytes.size() < width)
        bytes.append(QByteArray(width - bytes.size(), ' '));
    return bytes;
}

QByteArray ConstantField(std::optional<long double> value)
{
    return FitField(value ? FloatToText(*value) : QString(), 5);
}

quint8 Checksum(const QByteArray& bytes, qsizetype first, qsizetype last)
{
    unsigned sum = 0;
    for (qsizetype i = first; i <= last && i < bytes.size(); ++i)
        sum += static_cast<unsigned char>(bytes.at(i));
    return static_cast<quint8>(sum & 0xFF);
}

QByteArray MeterRecord(const MeterRow& row)
{
    QByteArray out;
    out.reserve(MeterRecordSize);
    out.append(Slash);
    out.append(STX);
    AppendField(out, 'A', FitField(row.PAddress, 16));
    AppendField(out, 'T', FitField(row.PTipCH, 9));
    AppendField(out, 'P', ConstantField(row.PReductRate));
    AppendField(out, 'N', FitField(row.PNumber, 9));
    AppendField(out, 'D', QByteArray(8, ' '));
    Close(out);
    return out;
}

QByteArray TypeRecord(const TypeRow& row)
{
    QByteArray out;
    out.reserve(TypeRecordSize);
    out.append(Slash);
    out.append(STX);
    AppendField(out, 'T', FitField(row.PTip, 9));
    AppendField(out, 'P', ConstantField(row.PReductRate));
    Close(out);
    return out;
}

QString Trace(char lead, const QByteArray& frame)
{
    QString text{QLatin1Char(lead)};
    text.reserve(1 + frame.size() * 4);
    for (char b : frame) {
        text.append(QLatin1Char('+'));
        text.append(QString::number(static_cast<unsigned char>(b)));
    }
    return text;
}

bool ParseRecord(const QByteArray& frame, DeviceRecord& values, bool& incompleteIdent)
{
    // The identification fields this record carries, and which of them are blank.
    bool present[128] = {};
    bool blank[128] = {};
    for (const char* l = DeviceRecord::Letters; *l; ++l) {
        const char letter = *l;
        const char key[3] = {letter, '(', 0};
        qsizetype at = frame.indexOf(key);
        if (at < 0)
            continue;
        // A letter is a field only right after STX or after the previous field's ")".
        if (at == 0 || (frame.at(at - 1) != ')' && frame.at(at - 1) != STX))
            continue;
        qsizetype start = at + 2;
        qsizetype end = frame.indexOf(')', start);
        // A field without its ")" has no value; such a record also fails its checksum test.
        QString value = end < 0 ? QString() : Cp1251::Decode(frame.mid(start, end - start));
        value = TrimTrailingBlanks(value);
        *values.Slot(letter) = value;
        present[static_cast<unsigned char>(letter)] = true;
        blank[static_cast<unsigned char>(letter)] = value.isEmpty();
    }
    // A blank address, serial number, type or constant leaves a meter or type unstored, and so
    // does a meter record (one with an address or serial number) that lacks any of the four.
    const bool meter =
        present[static_cast<unsigned char>('A')] || present[static_cast<unsigned char>('N')];
    bool incomplete = false;
    for (char letter : {'A', 'N', 'T', 'P'}) {
        const auto i = static_cast<unsigned char>(letter);
        incomplete = incomplete || blank[i] || (meter && !present[i]);
    }
    if (incomplete) {
        incompleteIdent = true;
        values.BlankIdent = true;
    }

    if (frame.size() < 2 || frame.at(1) != STX)
        return false;
    qsizetype close = -1;
    for (qsizetype i = 2; i + 1 < frame.size(); ++i) {
        if (frame.at(i) == ')' && frame.at(i + 1) == ETX) {
            close = i;
            break;
        }
    }
    if (close < 0 || close + 2 >= frame.size())
        return false;
    return static_cast<quint8>(frame.at(close + 2)) == Checksum(frame, 2, close);
}

} // namespace FrameCodec
