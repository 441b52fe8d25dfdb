// Cell value to text, with the date formatted by hand: QDate::toString parses its format per call.
#include "gridexport/gridvaluetext.h"

#include "core/utools.h"

#include <QDateTime>
#include <QTime>

namespace
{

void appendTwoDigits(QChar*& out, int n)
{
    *out++ = QLatin1Char(static_cast<char>('0' + n / 10 % 10));
    *out++ = QLatin1Char(static_cast<char>('0' + n % 10));
}

QString timeText(QTime t)
{
    QString s(8, Qt::Uninitialized);
    QChar* out = s.data();
    appendTwoDigits(out, t.hour());
    *out++ = QLatin1Char(':');
    appendTwoDigits(out, t.minute());
    *out++ = QLatin1Char(':');
    appendTwoDigits(out, t.second());
    return s;
}

} // namespace

QString GridValueText::dateText(QDate date)
{
    if (!date.isValid())
        return {};
    QString s(8, Qt::Uninitialized);
    QChar* out = s.data();
    appendTwoDigits(out, date.day());
    *out++ = QLatin1Char('/');
    appendTwoDigits(out, date.month());
    *out++ = QLatin1Char('/');
    // Years before 1 AD have no two-digit form worth showing; keep the digits positive.
    int year = date.year();
    appendTwoDigits(out, ((year % 100) + 100) % 100);
    return s;
}

QString GridValueText::text(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatToText(value.toDouble());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    case QMetaType::QDate:
        return dateText(value.toDate());
    case QMetaType::QDateTime: {
        QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            return {};
        QString s = dateText(dt.date());
        if (dt.time() != QTime(0, 0))
            s += QLatin1Char(' ') + timeText(dt.time());
        return s;
    }
    case QMetaType::QTime:
        return value.toTime().isValid() ? timeText(value.toTime()) : QString();
    default:
        return value.toString();
    }
}

bool GridValueText::isNumber(const QVariant& value)
{
    if (value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool GridValueText::isDate(const QVariant& value)
{
    return !value.isNull() &&
           (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime);
}
