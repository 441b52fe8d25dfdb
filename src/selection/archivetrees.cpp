// Selection trees: one query's rows are read into flat arrays, ordered by designation and keys,
// and appended to the tree level by level. A whole archive gives 300,000 nodes, so the rows are
// read through SQLite's own interface where the connection is SQLite: Qt's value objects per cell
// would triple the time.
#include "selection/archivetrees.h"

#include "database/dataset.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
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
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3* const*>(handle.data());
        if (m_db) {
            if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_stmt, nullptr) !=
                SQLITE_OK)
                throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        } else {
            m_query = std::make_unique<QSqlQuery>(db);
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

  private:
    QString m_text;
};

struct Row {
    qint32 type;
    qint32 meter;
    qint32 verification;
    int typeRank;
    TextRef typeText;
    TextRef meterText;
    TextRef dateText;
};

// Date captions as the grids show them; an archive holds few distinct dates, so each is written
// once.
class DateCaptions
{
  public:
    explicit DateCaptions(TextPool& pool) : m_pool(pool) {}
    TextRef Caption(QStringView stored)
    {
        auto it = m_cache.constFind(stored.toString());
        if (it != m_cache.constEnd())
            return *it;
        QString key = stored.toString();
        QDateTime when = QDateTime::fromString(key, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!when.isValid()) {
            QDate day = QDate::fromString(key, QStringLiteral("yyyy-MM-dd"));
            if (day.isValid())
                when = QDateTime(day, QTime(0, 0));
        }
        TextRef r = m_pool.Add(when.isValid() ? FieldText(FieldType::Date, when) : key);
        m_cache.insert(key, r);
        return r;
    }

  private:
    TextPool& m_pool;
    QHash<QString, TextRef> m_cache;
};

CheckTree Build(const QString& connectionName, const QString& sql, bool verifications)
{
    TextPool pool;
    DateCaptions dates(pool);
    std::vector<Row> rows;
    {
        RowReader reader(connectionName, sql);
        qint32 lastType = 0;
        TextRef lastTypeText;
        bool any = false;
        while (reader.Next()) {
            Row r{};
            r.type = reader.Key(0);
            r.meter = reader.Key(2);
            // The designation is the same on every row of a type: kept once per run.
            if (!any || r.type != lastType) {
                lastTypeText = pool.Add(reader.Text(1));
                lastType = r.type;
                any = true;
            }
            r.typeText = lastTypeText;
            r.meterText = pool.Add(reader.Text(3));
            if (verifications) {
                r.verification = reader.Key(4);
                r.dateText = dates.Caption(reader.Text(5));
            }
            rows.push_back(r);
        }
    }

    // Types in the order of their designations, compared as the archive compares them.
    std::unordered_map<qint32, TextRef> typeTexts;
    for (const Row& r : rows)
        typeTexts.emplace(r.type, r.typeText);
    std::vector<std::pair<qint32, TextRef>> types(typeTexts.begin(), typeTexts.end());
    std::sort(types.begin(), types.end(), [&pool](const auto& a, const auto& b) {
        int c = pool.At(a.second).compare(pool.At(b.second), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.first < b.first;
    });
    std::unordered_map<qint32, int> rank;
    for (std::size_t i = 0; i < types.size(); ++i)
        rank.emplace(types[i].first, static_cast<int>(i));
    for (Row& r : rows)
        r.typeRank = rank.at(r.type);
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.typeRank != b.typeRank)
            return a.typeRank < b.typeRank;
        if (a.meter != b.meter)
            return a.meter < b.meter;
        return a.verification < b.verification;
    });

    CheckTree tree(verifications ? 3 : 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const bool newType = i == 0 || rows[i - 1].type != r.type;
        if (newType)
            tree.Add(0, r.type, pool.At(r.typeText));
        if (newType || rows[i - 1].meter != r.meter)
            tree.Add(1, r.meter, pool.At(r.meterText));
        if (verifications)
            tree.Add(2, r.verification, pool.At(r.dateText));
    }
    return tree;
}

} // namespace

CheckTree VerificationTree(const QString& connectionName)
{
    return Build(connectionName,
                 QStringLiteral("Select TTip.PIndex as TI, TTip.PTipCH, TIdent.PIndex as II, "
                                "TIdent.PNumber, TData.PIndex as DI, TData.PDateMeasure as DM "
                                "from (TTip INNER JOIN TIdent ON TTip.PIndex = TIdent.PSecIndex) "
                                "INNER JOIN TData ON (TIdent.PIndex = TData.PSecIndex)"),
                 true);
}

CheckTree MeterTree(const QString& connectionName)
{
    return Build(connectionName,
                 QStringLiteral("Select TTip.PIndex as TI, TTip.PTipCH, TIdent.PIndex as II, "
                                "TIdent.PNumber from TTip INNER JOIN TIdent ON TTip.PIndex = "
                                "TIdent.PSecIndex"),
                 false);
}

} // namespace ArchiveTrees
