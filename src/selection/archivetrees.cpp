// Selection trees: types, meters and verifications are each read by one plain scan of their table
// into flat arrays, tied by their keys, ordered by designation and keys, and appended to the tree
// level by level. A whole archive gives 300,000 nodes: scans cost less than a join's lookups, and
// the rows are read through SQLite's own interface where the connection is SQLite, since Qt's
// value objects per cell would triple the time.
#include "selection/archivetrees.h"

#include "database/dataset.h"
#include "selection/selectionsql.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ArchiveTrees
{

namespace
{

// Forward reading of a statement's rows, by SQLite directly or by Qt for other drivers.
class RowReader
{
  public:
    RowReader(const QString& connectionName, const QString& sql)
    {
        m_db = SelectionSql::SqliteHandle(connectionName);
        if (m_db) {
            if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_stmt, nullptr) !=
                SQLITE_OK)
                throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        } else {
            m_query = std::make_unique<QSqlQuery>(QSqlDatabase::database(connectionName, false));
            m_query->setForwardOnly(true);
            if (!m_query->exec(sql))
                throw DatabaseError(m_query->lastError().text());
        }
    }
    ~RowReader()
    {
        if (m_stmt)
            sqlite3_finalize(m_stmt);
    }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool Next()
    {
        if (m_query)
            return m_query->next();
        int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        return false;
    }
    qint32 Key(int column) const
    {
        return m_query ? m_query->value(column).toInt()
                       : static_cast<qint32>(sqlite3_column_int64(m_stmt, column));
    }
    // Valid until the next call on this reader.
    QStringView Text(int column)
    {
        if (m_query) {
            m_text = m_query->value(column).toString();
            return m_text;
        }
        const void* p = sqlite3_column_text16(m_stmt, column);
        int bytes = sqlite3_column_bytes16(m_stmt, column);
        return p ? QStringView(static_cast<const char16_t*>(p), bytes / 2) : QStringView();
    }

  private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    std::unique_ptr<QSqlQuery> m_query;
    QString m_text;
};

// A caption kept in one shared text, by its place.
struct TextRef {
    quint32 start = 0;
    quint32 length = 0;
};

class TextPool
{
  public:
    TextRef Add(QStringView text)
    {
        TextRef r{static_cast<quint32>(m_text.size()), static_cast<quint32>(text.size())};
        m_text.append(text);
        return r;
    }
    QStringView At(TextRef r) const { return QStringView(m_text).mid(r.start, r.length); }
    int Size() const { return static_cast<int>(m_text.size()); }

  private:
    QString m_text;
};

// Date captions as the grids show them; an archive holds few distinct dates, and they come in
// runs, so each is written once.
class DateCaptions
{
  public:
    explicit DateCaptions(TextPool& pool) : m_pool(pool) {}
    TextRef Caption(QStringView stored)
    {
        if (m_any && stored == m_last)
            return m_lastRef;
        m_last = stored.toString();
        m_any = true;
        auto it = m_cache.constFind(m_last);
        if (it != m_cache.constEnd()) {
            m_lastRef = *it;
            return m_lastRef;
        }
        QDateTime when = QDateTime::fromString(m_last, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!when.isValid()) {
            QDate day = QDate::fromString(m_last, QStringLiteral("yyyy-MM-dd"));
            if (day.isValid())
                when = QDateTime(day, QTime(0, 0));
        }
        m_lastRef = m_pool.Add(when.isValid() ? FieldText(FieldType::Date, when) : m_last);
        m_cache.insert(m_last, m_lastRef);
        return m_lastRef;
    }

  private:
    TextPool& m_pool;
    QHash<QString, TextRef> m_cache;
    QString m_last;
    TextRef m_lastRef;
    bool m_any = false;
};

struct Node {
    qint32 key;
    qint32 parent; // the parent's key; for a meter, the rank of its type once known
    TextRef text;
};

// Nodes of one table: key, parent key and caption of every row.
std::vector<Node> Scan(const QString& connectionName, const QString& sql, TextPool& pool,
                       DateCaptions* dates)
{
    std::vector<Node> nodes;
    RowReader reader(connectionName, sql);
    while (reader.Next()) {
        Node n{reader.Key(0), reader.Key(1), {}};
        n.text = dates ? dates->Caption(reader.Text(2)) : pool.Add(reader.Text(2));
        nodes.push_back(n);
    }
    return nodes;
}

bool ByParentThenKey(const Node& a, const Node& b)
{
    return a.parent != b.parent ? a.parent < b.parent : a.key < b.key;
}

CheckTree Build(const QString& connectionName, bool verifications)
{
    TextPool pool;
    DateCaptions dates(pool);
    std::vector<Node> types = Scan(
        connectionName, QStringLiteral("SELECT PIndex, PIndex, PTipCH FROM TTip"), pool, nullptr);
    std::vector<Node> meters =
        Scan(connectionName, QStringLiteral("SELECT PIndex, PSecIndex, PNumber FROM TIdent"), pool,
             nullptr);
    std::vector<Node> checks;
    if (verifications)
        checks =
            Scan(connectionName,
                 QStringLiteral("SELECT PIndex, PSecIndex, PDateMeasure FROM TData"), pool, &dates);

    // Types in the order of their designations, compared as the archive compares them.
    std::sort(types.begin(), types.end(), [&pool](const Node& a, const Node& b) {
        int c = pool.At(a.text).compare(pool.At(b.text), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.key < b.key;
    });
    std::unordered_map<qint32, int> rank;
    for (std::size_t i = 0; i < types.size(); ++i)
        rank.emplace(types[i].key, static_cast<int>(i));
    // Meters under their types' ranks, in the order of their keys; a meter without a type is no
    // row of the archive's join.
    std::vector<Node> ranked;
    ranked.reserve(meters.size());
    for (const Node& m : meters) {
        auto it = rank.find(m.parent);
        if (it != rank.end())
            ranked.push_back({m.key, it->second, m.text});
    }
    std::sort(ranked.begin(), ranked.end(), ByParentThenKey);
    std::sort(checks.begin(), checks.end(), ByParentThenKey);
    auto checksOf = [&checks](qint32 meter) {
        return std::equal_range(checks.begin(), checks.end(), Node{0, meter, {}},
                                [](const Node& a, const Node& b) { return a.parent < b.parent; });
    };

    CheckTree tree(verifications ? 3 : 2);
    tree.Reserve(0, static_cast<int>(types.size()), pool.Size());
    tree.Reserve(1, static_cast<int>(ranked.size()));
    if (verifications)
        tree.Reserve(2, static_cast<int>(checks.size()));
    for (std::size_t m = 0; m < ranked.size();) {
        const int typeRank = ranked[m].parent;
        std::size_t end = m;
        while (end < ranked.size() && ranked[end].parent == typeRank)
            ++end;
        bool typeAdded = false;
        for (; m < end; ++m) {
            auto [first, last] = verifications ? checksOf(ranked[m].key)
                                               : std::make_pair(checks.end(), checks.end());
            if (verifications && first == last)
                continue; // a meter without a verification is not in the tree
            if (!typeAdded) {
                tree.Add(0, types[typeRank].key, pool.At(types[typeRank].text));
                typeAdded = true;
            }
            tree.Add(1, ranked[m].key, pool.At(ranked[m].text));
            for (auto v = first; v != last; ++v)
                tree.Add(2, v->key, pool.At(v->text));
        }
    }
    return tree;
}

} // namespace

CheckTree VerificationTree(const QString& connectionName)
{
    return Build(connectionName, true);
}

CheckTree MeterTree(const QString& connectionName)
{
    return Build(connectionName, false);
}

} // namespace ArchiveTrees
