// In-memory row source and the writer fixture.
#include "tablerowsource.h"

#include <QDate>
#include <QDateTime>

#include <utility>

TableRowSource::TableRowSource(QStringList titles, QList<QList<QVariant>> rows)
    : m_titles(std::move(titles)), m_rows(std::move(rows))
{
}

TableRowSource TableRowSource::fixture()
{
    return TableRowSource(
        {QStringLiteral("Тип счетчика"), QStringLiteral("Номер"), QStringLiteral("Примечание"),
         QStringLiteral("Ток, А"), QStringLiteral("Дата"), QStringLiteral("Кол-во")},
        {
            {QStringLiteral("СО-И446"), QStringLiteral("12\"34"), QVariant(), 5.25,
             QDate(2024, 3, 7), 42},
            {QStringLiteral("Меркурий 230"), QStringLiteral("A&B <x> {y} \\z"), QString(), -0.125,
             QDateTime(QDate(2023, 12, 31), QTime(13, 45, 10)), qint64(1234567890123)},
            {QStringLiteral("Строка\tс табом\nи переводом"), QVariant(), QStringLiteral("ok"), 1e-7,
             QVariant(), 0},
        });
}
