// Pieces shared by the selection statements: the archive tables joined by their keys, bound date
// and error values, and an all-or-nothing transaction.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

struct sqlite3;

namespace SelectionSql
{

// The archive tables in their chain of keys: type, meter, verification, result.
enum Table { TTip = 0, TIdent = 1, TData = 2, TResult = 3 };

// FROM text of the tables first..last joined by their keys (each child's PSecIndex to its
// parent's PIndex).
QString KeyChain(int first, int last);

// A picked day as the archive stores dates, for a bound value: midnight of that day, so that a
// comparison treats whole days as the archive's date comparisons always have.
QString StoredDay(const QDate& day);

// A typed error bound read by the program's tolerant number reading and written back with "."
// as decimal separator, as the number the database gets; empty when the text cannot be read.
std::optional<double> ErrorBound(const QString& text);

// SQLite's own handle of a connection, for bulk reading and writing where Qt's value objects per
// cell would cost more than the work itself; null when the connection is another engine's.
sqlite3* SqliteHandle(const QString& connectionName);

// A transaction on the archive connection that is rolled back unless committed.
class Transaction
{
  public:
    explicit Transaction(const QString& connectionName); // throws DatabaseError
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit(); // throws DatabaseError

  private:
    QString m_connectionName;
    bool m_open = false;
};

} // namespace SelectionSql
