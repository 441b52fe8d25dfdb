// Statements without a result set.
#include "database/command.h"

#include "database/dataset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

void Command::SetCommandText(const QString& sql, const QVariantList& bindings)
{
    m_sql = sql;
    m_bindings = bindings;
}

int Command::Execute()
{
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.prepare(m_sql))
        throw DatabaseError(q.lastError().text());
    for (const QVariant& b : m_bindings)
        q.addBindValue(b);
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    return q.numRowsAffected();
}
