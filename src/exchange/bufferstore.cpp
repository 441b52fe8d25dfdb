// Storage of device records in the exchange buffer: meters, device types, verifications, results.
#include "exchange/bufferstore.h"

#include "core/ulang.h"
#include "core/utools.h"
#include "database/dataset.h"

#include <QLocale>
#include <QVector>

#include <cmath>
#include <utility>

namespace
{

const QString PIndex = QStringLiteral("PIndex");
const QString PSecIndex = QStringLiteral("PSecIndex");

// A text column refuses longer values; say so instead of letting the database refuse.
bool Fits(const QString& value, int size, QString& error)
{
    if (value.size() <= size)
        return true;
    error = ULang::ValueTooLong.arg(value).arg(size);
    return false;
}

double Tolerant(const QString& text)
{
    return static_cast<double>(TextToFloat(text));
}

// Rows written by one record, undone when a later row of the same record fails.
struct Undo {
    void Appended(DataSet& ds) { rows.append({&ds, ds.Bookmark()}); }
    void Rollback()
    {
        if (edited && edited->GetState() != DataSet::State::Browse)
            edited->Cancel();
        for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
            try {
                if (it->first->GotoBookmark(it->second))
                    it->first->Delete();
            } catch (const std::exception&) {
                // The row stays; nothing better can be done while the database refuses.
            }
        }
    }
    DataSet* edited = nullptr;
    QVector<std::pair<DataSet*, qint64>> rows;
};

// Appends and posts one row; fields are set by the caller between Append and Post.
template <typename Fill> void AppendRow(DataSet& ds, Undo& undo, Fill fill)
{
    if (!ds.Append())
        throw DatabaseError(ULang::QueryFailed);
    try {
        fill(ds);
        if (!ds.Post())
            throw DatabaseError(ULang::QueryFailed);
    } catch (...) {
        ds.Cancel();
        throw;
    }
    undo.Appended(ds);
}

} // namespace

BufferStore::BufferStore(DataSet& meters, DataSet& data, DataSet& results, DataSet& types)
    : m_meters(meters), m_data(data), m_results(results), m_types(types)
{
}

void BufferStore::Reset()
{
    m_detached = false;
    m_lastError.clear();
}

QString BufferStore::PowerFactorText(const QString& k, const QString& f)
{
    bool unity = false;
    try {
        unity = TextToFloat(k) == 1;
    } catch (const EConvertError&) {
        unity = false;
    }
    if (unity || f.isEmpty())
        return k;
    return k + QLatin1Char('/') + f;
}

QDate BufferStore::DeviceDate(const QString& text, const QDate& today)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() < 2 || parts.size() > 3)
        return today;
    int numbers[3] = {0, 0, today.year()};
    for (int i = 0; i < parts.size(); ++i) {
        const QString part = parts.at(i).trimmed();
        if (part.isEmpty() || part.size() > 4)
            return today;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return today;
        numbers[i] = part.toInt();
        if (i == 2 && part.size() <= 2) {
            // Two-digit years fall into the hundred years that start 50 years ago.
            const int start = today.year() - 50;
            int year = start / 100 * 100 + numbers[i];
            if (year < start)
                year += 100;
            numbers[i] = year;
        }
    }
    const QDate date(numbers[2], numbers[1], numbers[0]);
    return date.isValid() ? date : today;
}

double BufferStore::StrictFloat(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw EConvertError(text, EConvertError::Kind::Float);
    return value;
}

bool BufferStore::StoreRecord(const DeviceRecord& values)
{
    m_lastError.clear();
    try {
        return Apply(values);
    } catch (const EConvertError& e) {
        m_lastError = e.Message();
    } catch (const DatabaseError&) {
        m_lastError = ULang::QueryFailed;
    } catch (const std::exception&) {
        m_lastError = ULang::QueryFailed;
    }
    return false;
}

bool BufferStore::Apply(const DeviceRecord& v)
{
    // Every value is converted before anything is written, so a bad value leaves no partial rows.
    const bool isMeter = !v.T.isEmpty() && !v.N.isEmpty() && !v.P.isEmpty() && !v.A.isEmpty();
    const bool isType = !v.T.isEmpty() && !v.P.isEmpty() && v.N.isEmpty() && v.A.isEmpty();
    const bool hasVerification = !v.D.isEmpty() && !v.E.isEmpty();
    const bool hasMeasure = !v.U.isEmpty() && !v.I.isEmpty();
    const bool isResult = hasMeasure && !v.S.isEmpty();
    const bool isCreep = hasMeasure && !isResult && !v.C.isEmpty();

    // A meter record without its full identification stores nothing, and what follows it
    // would otherwise land under the meter stored before.
    const bool incompleteMeter = v.BlankIdent || ((!v.A.isEmpty() || !v.N.isEmpty()) && !isMeter);
    const bool detached = isMeter ? false : (incompleteMeter || m_detached);

    double rate = 0, typeRate = 0, ormix = 0, u = 0, i = 0, m = 0, s = 0, usamohod = 0;
    QString pf;
    int samohod = 0;
    if (isMeter) {
        if (!Fits(v.T, 9, m_lastError) || !Fits(v.N, 9, m_lastError) || !Fits(v.A, 16, m_lastError))
            return false;
        rate = Tolerant(v.P);
    }
    if (isType) {
        if (!Fits(v.T, 9, m_lastError))
            return false;
        typeRate = Tolerant(v.P);
    }
    const bool storeVerification = hasVerification && !detached && (isMeter || !m_meters.IsEmpty());
    if (storeVerification)
        ormix = StrictFloat(v.E);
    const bool haveVerification =
        storeVerification || (!detached && !m_meters.IsEmpty() && !m_data.IsEmpty());
    if (isResult && haveVerification) {
        u = Tolerant(v.U);
        i = Tolerant(v.I);
        m = Tolerant(v.M);
        s = Tolerant(v.S);
        pf = PowerFactorText(v.K, v.F);
        if (!Fits(pf, 10, m_lastError))
            return false;
    } else if (isCreep && haveVerification) {
        const double state = std::nearbyint(StrictFloat(v.C));
        if (state < 0 || state > 255) {
            m_lastError = ULang::CreepStateOutOfRange.arg(v.C);
            return false;
        }
        samohod = static_cast<int>(state);
        usamohod = Tolerant(v.U);
    }

    Undo undo;
    try {
        if (isMeter) {
            AppendRow(m_meters, undo, [&](DataSet& ds) {
                ds.FieldByName(QStringLiteral("PTipCH")).SetValue(v.T);
                ds.FieldByName(QStringLiteral("PReductRate")).SetValue(rate);
                ds.FieldByName(QStringLiteral("PNumber")).SetValue(v.N);
                ds.FieldByName(QStringLiteral("PAddress")).SetValue(v.A);
            });
        }
        if (isType) {
            AppendRow(m_types, undo, [&](DataSet& ds) {
                ds.FieldByName(QStringLiteral("PTip")).SetValue(v.T);
                ds.FieldByName(QStringLiteral("PReductRate")).SetValue(typeRate);
            });
        }
        if (storeVerification) {
            const QVariant meter = m_meters.FieldByName(PIndex).Value();
            const QDate date = DeviceDate(v.D, QDate::currentDate());
            AppendRow(m_data, undo, [&](DataSet& ds) {
                ds.FieldByName(PSecIndex).SetValue(meter);
                ds.FieldByName(QStringLiteral("PDateMeasure"))
                    .SetValue(QDateTime(date, QTime(0, 0)));
                ds.FieldByName(QStringLiteral("PSamohod")).SetValue(99);
                ds.FieldByName(QStringLiteral("PUSamohod")).SetValue(0.0);
                ds.FieldByName(QStringLiteral("POrmix")).SetValue(ormix);
            });
        }
        if (isResult && haveVerification) {
            const QVariant verification = m_data.FieldByName(PIndex).Value();
            AppendRow(m_results, undo, [&](DataSet& ds) {
                ds.FieldByName(PSecIndex).SetValue(verification);
                ds.FieldByName(QStringLiteral("PUMeasure")).SetValue(u);
                ds.FieldByName(QStringLiteral("PIMeasure")).SetValue(i);
                ds.FieldByName(QStringLiteral("PPowerMeasure")).SetValue(m);
                ds.FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(s);
                ds.FieldByName(QStringLiteral("PFPMeasure")).SetValue(pf);
            });
        } else if (isCreep && haveVerification) {
            undo.edited = &m_data;
            if (!m_data.Edit())
                throw DatabaseError(ULang::QueryFailed);
            m_data.FieldByName(QStringLiteral("PSamohod")).SetValue(samohod);
            m_data.FieldByName(QStringLiteral("PUSamohod")).SetValue(usamohod);
            if (!m_data.Post())
                throw DatabaseError(ULang::QueryFailed);
        }
    } catch (...) {
        undo.Rollback();
        throw;
    }
    m_detached = detached;
    return true;
}
