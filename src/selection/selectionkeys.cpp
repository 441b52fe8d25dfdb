// Temporary key table: created once per connection, refilled by multi-row inserts of bound keys.
#include "selection/selectionkeys.h"

#include "database/dataset.h"
#include "selection/selectionsql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace
{

// Rows per insert statement: few statements, and far below every engine's limit of bound values.
constexpr int RowsPerInsert = 200;

void Exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        throw DatabaseError(q.lastError().text());
}

// Inserts rows of keys, a statement of RowsPerInsert rows at a time and one for the rest.
class KeyInserter
{
  public:
    virtual ~KeyInserter() = default;
    virtual void Insert(const QString& sql, int rows, const qint32* keys, int width) = 0;
};

class QtInserter : public KeyInserter
{
  public:
    explicit QtInserter(const QString& connectionName)
        : m_db(QSqlDatabase::database(connectionName, false)), m_full(m_db)
    {
    }
    void Insert(const QString& sql, int rows, const qint32* keys, int width) override
    {
        QSqlQuery partial(m_db);
        QSqlQuery& q = rows == RowsPerInsert ? m_full : partial;
        if (&q == &partial || !m_prepared) {
            if (!q.prepare(sql))
                throw DatabaseError(q.lastError().text());
            m_prepared = m_prepared || &q == &m_full;
        }
        for (int i = 0; i < rows * width; ++i)
            q.bindValue(i, keys[i]);
        if (!q.exec())
            throw DatabaseError(q.lastError().text());
    }

  private:
    QSqlDatabase m_db;
    QSqlQuery m_full;
    bool m_prepared = false;
};

// A whole archive's keys are hundreds of thousands of values: bound by SQLite directly.
class SqliteInserter : public KeyInserter
{
  public:
    explicit SqliteInserter(sqlite3* db) : m_db(db) {}
    ~SqliteInserter() override { sqlite3_finalize(m_full); }
    void Insert(const QString& sql, int rows, const qint32* keys, int width) override
    {
        sqlite3_stmt* partial = nullptr;
        sqlite3_stmt*& s = rows == RowsPerInsert ? m_full : partial;
        if (!s && sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK)
            Fail(partial);
        for (int i = 0; i < rows * width; ++i)
            sqlite3_bind_int(s, i + 1, keys[i]);
        if (sqlite3_step(s) != SQLITE_DONE)
            Fail(partial);
        sqlite3_reset(s);
        sqlite3_finalize(partial);
    }

  private:
    [[noreturn]] void Fail(sqlite3_stmt* partial)
    {
        QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        if (m_full)
            sqlite3_reset(m_full);
        sqlite3_finalize(partial);
        throw DatabaseError(reason);
    }
    sqlite3* m_db;
    sqlite3_stmt* m_full = nullptr;
};

} // namespace

SelectionKeys::SelectionKeys(const QString& table, const QStringList& columns)
    : m_table(table), m_columns(columns)
{
}

void SelectionKeys::Write(const QString& connectionName, const std::vector<qint32>& paths) const
{
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
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
    std::unique_ptr<KeyInserter> inserter;
    if (sqlite3* raw = SelectionSql::SqliteHandle(connectionName))
        inserter = std::make_unique<SqliteInserter>(raw);
    else
        inserter = std::make_unique<QtInserter>(connectionName);
    const QString full = head + QStringList(RowsPerInsert, row).join(QLatin1Char(','));
    for (std::size_t done = 0; done < rows;) {
        const int count = static_cast<int>(std::min<std::size_t>(RowsPerInsert, rows - done));
        inserter->Insert(
            count == RowsPerInsert ? full : head + QStringList(count, row).join(QLatin1Char(',')),
            count, paths.data() + done * static_cast<std::size_t>(width), width);
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
