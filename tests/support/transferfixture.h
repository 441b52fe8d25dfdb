// An archive with a data module, plus helpers that fill the exchange buffer and count rows.
#pragma once

#include "support/archivefixture.h"

#include <QDate>
#include <QSqlQuery>

class TransferFixture : public ArchiveFixture
{
  protected:
    qint64 AddBufferMeter(const QString& tip, double constant, const QString& number,
                          const QString& address)
    {
        DataSet& b = *dm->ADOSinchro;
        EXPECT_TRUE(b.Append());
        b.FieldByName(QStringLiteral("PTipCH")).SetValue(tip);
        b.FieldByName(QStringLiteral("PReductRate")).SetValue(constant);
        b.FieldByName(QStringLiteral("PNumber")).SetValue(number);
        b.FieldByName(QStringLiteral("PAddress")).SetValue(address);
        EXPECT_TRUE(b.Post());
        return b.Bookmark();
    }

    // A verification of the current buffer meter with the given number of results.
    qint64 AddBufferVerification(const QDate& date, double reading, int results, int samohod = 99)
    {
        DataSet& d = *dm->ADOSinchroData;
        EXPECT_TRUE(d.Append());
        d.FieldByName(QStringLiteral("PSamohod")).SetValue(samohod);
        d.FieldByName(QStringLiteral("POrmix")).SetValue(reading);
        d.FieldByName(QStringLiteral("PDateMeasure")).SetValue(QDateTime(date, QTime(0, 0)));
        d.FieldByName(QStringLiteral("PUSamohod")).SetValue(230.0);
        EXPECT_TRUE(d.Post());
        qint64 mark = d.Bookmark();
        DataSet& r = *dm->ADOSinchroResult;
        for (int i = 0; i < results; ++i) {
            EXPECT_TRUE(r.Append());
            r.FieldByName(QStringLiteral("PUMeasure")).SetValue(220.0);
            r.FieldByName(QStringLiteral("PIMeasure")).SetValue(5.0 + i);
            r.FieldByName(QStringLiteral("PPowerMeasure")).SetValue(1100.0);
            r.FieldByName(QStringLiteral("PFPMeasure")).SetValue(QStringLiteral("0.8/C"));
            r.FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(0.1 * i);
            r.FieldByName(QStringLiteral("PDateMeasure")).SetValue(QDateTime(date, QTime(0, 0)));
            EXPECT_TRUE(r.Post());
        }
        return mark;
    }

    int Count(const QString& sql, const QVariantList& bindings = {})
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName(), false));
        EXPECT_TRUE(q.prepare(sql));
        for (const QVariant& b : bindings)
            q.addBindValue(b);
        EXPECT_TRUE(q.exec());
        return q.next() ? q.value(0).toInt() : -1;
    }

    int Rows(const char* table)
    {
        return Count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)));
    }

    bool HasMessage(const QString& text) const
    {
        for (const ShownMessage& m : messages) {
            if (m.text == text)
                return true;
        }
        return false;
    }
};
