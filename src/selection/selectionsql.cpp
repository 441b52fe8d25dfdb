// Shared pieces of the selection statements.
#include "selection/selectionsql.h"

#include "core/utools.h"
#include "database/dataset.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>

namespace SelectionSql
{

QString KeyChain(int first, int last)
{
    static const QStringList names = {QStringLiteral("TTip"), QStringLiteral("TIdent"),
                                      QStringLiteral("TData"), QStringLiteral("TResult")};
    QString text = names.at(first);
    for (int t = first + 1; t <= last; ++t) {
        if (t - first >= 2)
            text = QLatin1Char('(') + text + QLatin1Char(')');
        text += QStringLiteral(" INNER JOIN %1 ON (%2.PIndex = %1.PSecIndex)")
                    .arg(names.at(t), names.at(t - 1));
    }
    return text;
}

QString StoredDay(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<double> ErrorBound(const QString& text)
{
    try {
        return FloatToText(TextToFloat(text)).toDouble();
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

sqlite3* SqliteHandle(const QString& connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

Transaction::Transaction(const QString& connectionName) : m_connectionName(connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.transaction())
        throw DatabaseError(db.lastError().text());
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        QSqlDatabase::database(m_connectionName, false).rollback();
}

void Transaction::Commit()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    m_open = false;
    if (!db.commit()) {
        QString reason = db.lastError().text();
        db.rollback();
        throw DatabaseError(reason);
    }
}

} // namespace SelectionSql
