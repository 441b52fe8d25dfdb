// Creep-test and error texts for reports.
#include "database/derivedtexts.h"

#include "core/utools.h"

#include <charconv>
#include <cmath>
#include <string>

QString PSamohodSText(const QVariant& samohod)
{
    qint64 v = samohod.isNull() || !samohod.isValid() ? 0 : samohod.toLongLong();
    if (v == 0 || v == 1)
        return QStringLiteral("нет");
    if (v == 99)
        return QStringLiteral("не проводился");
    return QStringLiteral("есть");
}

QString PMistMeasureText(const QVariant& mistake)
{
    double v = mistake.isNull() || !mistake.isValid() ? 0.0 : mistake.toDouble();
    if (std::fabs(v) > 1000)
        return QStringLiteral(">1000");
    return FixedText(v, 2);
}

QString FixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0'))
                            : QStringLiteral("0");
    SignificantDigits rounded = RoundTo15Digits(value);
    std::string digits = rounded.digits;
    int exponent = rounded.exponent;
    bool negative = rounded.negative;

    int before = exponent + 1; // digits before the point
    if (before < 0) {
        digits.insert(0, static_cast<std::size_t>(-before), '0');
        before = 0;
    }
    std::size_t need = static_cast<std::size_t>(before + decimals + 1);
    if (digits.size() < need)
        digits.append(need - digits.size(), '0');
    std::string kept = digits.substr(0, need - 1);
    if (digits[need - 1] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++before;
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    std::string whole = kept.substr(0, static_cast<std::size_t>(before));
    std::string fraction = kept.substr(static_cast<std::size_t>(before));
    std::size_t nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    bool allZero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (negative && !allZero)
        out.push_back('-');
    out.append(whole);
    if (decimals > 0) {
        out.push_back('.');
        out.append(fraction);
    }
    return QString::fromLatin1(out.c_str());
}
