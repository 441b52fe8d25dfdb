// A small archive for the selection tests: types with and without meters, meters with and without
// verifications, a verification without results, a time of day on one date, repeated errors.
#pragma once

#include "support/archivefixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class SelectionArchive : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        if (HasFatalFailure())
            return;
        for (const char* sql :
             {"INSERT INTO TTip VALUES (1, 'СО-2', 220, 5, 800, 2), "
              "(2, 'ЦЭ6807', 220, 10, 1600, 1), (3, 'Пустой', 127, 5, 500, 2.5), "
              "(4, 'БЕЗ-ПОВ', 220, 5, 800, 2)",
              "INSERT INTO TIdent VALUES (10, 1, '101', 'Завод', 2004, 'ул. Мира 1'), "
              "(11, 1, '102', 'Завод', 2005, 'ул. Мира 2'), "
              "(20, 2, '201', 'Энергомера', 2006, 'пр. Ленина 5'), "
              "(40, 4, '401', 'Завод', 2004, 'ул. Мира 9')",
              "INSERT INTO TData VALUES (100, 10, 1, 12345.6, '2006-03-15', 253), "
              "(101, 10, 2, 12400, '2006-03-16', 250), (110, 11, 1, 500, '2006-03-16', 230), "
              "(200, 20, 99, 777, '2006-03-17 10:30:00', 240)",
              "INSERT INTO TResult VALUES "
              "(1000, 100, 220, 5, 1100, '1.00', 1.0, '2006-03-15'), "
              "(1001, 100, 220, 2.5, 550, '0.5L', -0.5, '2006-03-15'), "
              "(1002, 100, 220, 0.5, 110, '0.8C', 2.0, '2006-03-15'), "
              "(1010, 101, 221, 5, 1100, '1.00', 1.0, '2006-03-16'), "
              "(1011, 101, 221, 1, 220, '1.00', 0.3, '2006-03-16'), "
              "(2000, 200, 230, 10, 2300, '1.00', 1.5, '2006-03-17 10:30:00'), "
              "(2001, 200, 230, 10, 2300, '1.00', 1.5, '2006-03-17 10:30:00'), "
              "(2002, 200, 230, 1, 230, '0.5L', 3.0, '2006-03-17 10:30:00')"})
            Exec(QString::fromUtf8(sql));
    }

    void Exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << "\n" << sql.toStdString();
    }

    // Every row of a statement as text, "|" between values, in the order the statement gives.
    QStringList Rows(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        q.setForwardOnly(true);
        EXPECT_TRUE(q.prepare(sql)) << q.lastError().text().toStdString() << "\n"
                                    << sql.toStdString();
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString() << "\n" << sql.toStdString();
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c)
                cells << q.value(c).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    QStringList SortedRows(const QString& sql, const QVariantList& values = {})
    {
        QStringList rows = Rows(sql, values);
        rows.sort();
        return rows;
    }
};
