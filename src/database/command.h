// A statement that returns no rows (deletions, insertions from selections), run on one connection.
#pragma once

#include <QString>
#include <QVariantList>

class Command
{
  public:
    explicit Command(const QString& connectionName) : m_connectionName(connectionName) {}
    // Values typed by the user go into bindings, never into the text.
    void SetCommandText(const QString& sql, const QVariantList& bindings = {});
    QString CommandText() const { return m_sql; }
    // Runs the statement; returns the number of rows it changed. Throws DatabaseError.
    int Execute();

  private:
    QString m_connectionName;
    QString m_sql;
    QVariantList m_bindings;
};
