// The keys checked in a selection tree, kept in a temporary table of the archive connection that
// the selection's statement joins: a chain of "or" terms would hit the engine's expression limit
// on a large archive.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class SelectionKeys
{
  public:
    // table: name of the temporary table; columns: one key column per tree level, top first. The
    // last column is the key of the deepest level, unique in a tree.
    SelectionKeys(const QString& table, const QStringList& columns);

    QString Table() const { return m_table; }
    QStringList Columns() const { return m_columns; }

    // Replaces the table's rows by the paths (Columns().size() keys each, as
    // CheckTree::CheckedPaths gives them); creates the table the first time. Runs inside the
    // caller's transaction if there is one. Throws DatabaseError.
    void Write(const QString& connectionName, const std::vector<qint32>& paths) const;

    // The join condition that ties the table to the archive's keys, one archive key column per
    // key column: "(QueryKeys.TI = TTip.PIndex and QueryKeys.II = TIdent.PIndex)".
    QString JoinCondition(const QStringList& archiveKeys) const;

  private:
    QString m_table;
    QStringList m_columns;
};
