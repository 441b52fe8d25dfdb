// Text and number helpers; conversions never depend on the user's locale.
#include "core/utools.h"

#include "core/ulang.h"

#include <charconv>
#include <cmath>
#include <limits>

bool ArchiveChanged = false;
QString LastSelectFields;
QString LastSelectFrom;
QVariantList LastSelectValues;
unsigned char LastSelectState = 0;
bool DragHasRows = false;

namespace
{
QString ConvertMessage(const QString& text, EConvertError::Kind kind)
{
    switch (kind) {
    case EConvertError::Kind::Float:
        return ULang::NotAFloat.arg(text);
    case EConvertError::Kind::Date:
        return ULang::NotADate.arg(text);
    case EConvertError::Kind::Integer:
        break;
    }
    return ULang::NotAnInteger.arg(text);
}
} // namespace

EConvertError::EConvertError(const QString& text, Kind kind)
    : std::runtime_error(ConvertMessage(text, kind).toStdString()),
      m_message(ConvertMessage(text, kind))
{
}

QString TrimTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString FileTitle(const QString& path)
{
    qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    QString name = path.mid(slash + 1);
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

SignificantDigits RoundTo15Digits(double value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    SignificantDigits out;
    out.negative = s[0] == '-';
    if (out.negative)
        s.erase(0, 1);
    std::size_t e = s.find('e');
    out.exponent = std::stoi(s.substr(e + 1));
    out.digits.assign(1, s[0]);
    out.digits.append(s, 2, e - 2);
    return out;
}

QString FloatToText(long double value)
{
    double v = static_cast<double>(value);
    if (v == 0 || !std::isfinite(v))
        return std::isnan(v) ? QStringLiteral("NAN")
               : v == 0      ? QStringLiteral("0")
                             : (v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));

    // Round to 15 significant digits first; the exponent of the rounded value decides the notation.
    SignificantDigits rounded = RoundTo15Digits(v);
    std::string& digits = rounded.digits;
    int exponent = rounded.exponent;
    bool negative = rounded.negative;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < -5 || exponent >= 15) {
        out.append(digits, 0, 1);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
    } else if (exponent < 0) {
        out.append("0.");
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits);
    } else {
        std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out.append(digits);
            out.append(intLen - digits.size(), '0');
        } else {
            out.append(digits, 0, intLen);
            out.push_back('.');
            out.append(digits, intLen);
        }
    }
    if (negative)
        out.insert(out.begin(), '-');
    return QString::fromLatin1(out.c_str());
}

long double TextToFloat(const QString& text)
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char(' '))
            continue;
        t.append(c == QLatin1Char(',') ? QLatin1Char('.') : c);
    }
    if (t.isEmpty())
        return 0;
    bool anyNonZeroDigit = false;
    for (QChar c : t) {
        ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '-'))
            return 0;
        if (u >= '1' && u <= '9')
            anyNonZeroDigit = true;
    }
    if (!anyNonZeroDigit)
        return 0;

    qsizetype point = t.lastIndexOf(QLatin1Char('.'));
    if (point < 0) {
        // A whole number: only a leading minus is allowed, and it must fit 32 bits.
        qsizetype i = 0;
        bool negative = false;
        if (t.at(0) == QLatin1Char('-')) {
            negative = true;
            i = 1;
        }
        long long value = 0;
        if (i >= t.size())
            throw EConvertError(text);
        for (; i < t.size(); ++i) {
            ushort u = t.at(i).unicode();
            if (u < '0' || u > '9')
                throw EConvertError(text);
            value = value * 10 + (u - '0');
            if (value > 2147483648LL)
                throw EConvertError(text);
        }
        if (negative)
            value = -value;
        if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
            throw EConvertError(text);
        return static_cast<long double>(value);
    }

    // Every digit counts; the characters after the last point (minus signs among them) give the
    // scale.
    long double digits = 0;
    for (QChar c : t) {
        ushort u = c.unicode();
        if (u >= '0' && u <= '9')
            digits = digits * 10 + (u - '0');
    }
    qsizetype scale = t.size() - (point + 1);
    long double result = digits / std::pow(10.0L, static_cast<long double>(scale));
    return t.at(0) == QLatin1Char('-') ? -result : result;
}
