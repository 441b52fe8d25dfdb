// One commit for a group of posted rows.
#include "database/scopedcommit.h"

#include <QSqlDatabase>

ScopedCommit::ScopedCommit(const QString& connectionName) : m_connectionName(connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    m_open = db.isOpen() && db.transaction();
}

ScopedCommit::~ScopedCommit()
{
    Commit();
}

bool ScopedCommit::Commit()
{
    if (!m_open)
        return true;
    m_open = false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.commit())
        return true;
    db.rollback();
    return false;
}
