// Temporary key table: created once per connection, refilled by multi-row inserts of bound keys.
#include "selection/selectionkeys.h"

#include "database/dataset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace
{

// Rows per insert statement: few statements, and far below every engine's limit of bound values.
constexpr int RowsPerInsert = 200;

void Exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        throw DatabaseError(q.lastError().text());
}

} // namespace

SelectionKeys::SelectionKeys(const QString& table, const QStringList& columns)
    : m_table(table), m_columns(columns)
{
}

void SelectionKeys::Write(const QString& connectionName, const std::vector<qint32>& paths) const
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery q(db);
    QStringList declarations;
    for (int i = 0; i < m_columns.size(); ++i)
        declarations << m_columns.at(i) + (i + 1 == m_columns.size()
                                               ? QStringLiteral(" INTEGER PRIMARY KEY")
                                               : QStringLiteral(" INTEGER NOT NULL"));
    Exec(q, QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS %1 (%2)")
                .arg(m_table, declarations.join(QStringLiteral(", "))));
    Exec(q, QStringLiteral("DELETE FROM %1").arg(m_table));

    const int width = static_cast<int>(m_columns.size());
    const std::size_t rows = paths.size() / static_cast<std::size_t>(width);
    const QString row = QLatin1Char('(') +
                        QStringList(width, QStringLiteral("?")).join(QLatin1Char(',')) +
                        QLatin1Char(')');
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                             .arg(m_table, m_columns.join(QStringLiteral(", ")));
    QSqlQuery full(db);
    bool fullPrepared = false;
    std::size_t done = 0;
    while (done < rows) {
        const int count = static_cast<int>(std::min<std::size_t>(RowsPerInsert, rows - done));
        QSqlQuery partial(db);
        QSqlQuery& insert = count == RowsPerInsert ? full : partial;
        if (count != RowsPerInsert || !fullPrepared) {
            QStringList values(count, row);
            if (!insert.prepare(head + values.join(QLatin1Char(','))))
                throw DatabaseError(insert.lastError().text());
            fullPrepared = fullPrepared || count == RowsPerInsert;
        }
        const qint32* key = paths.data() + done * static_cast<std::size_t>(width);
        for (int i = 0; i < count * width; ++i)
            insert.bindValue(i, key[i]);
        if (!insert.exec())
            throw DatabaseError(insert.lastError().text());
        done += static_cast<std::size_t>(count);
    }
}

QString SelectionKeys::JoinCondition(const QStringList& archiveKeys) const
{
    QStringList parts;
    for (int i = 0; i < m_columns.size() && i < archiveKeys.size(); ++i)
        parts << QStringLiteral("%1.%2 = %3").arg(m_table, m_columns.at(i), archiveKeys.at(i));
    return QLatin1Char('(') + parts.join(QStringLiteral(" and ")) + QLatin1Char(')');
}
