// Groups the rows posted in a scope into one commit; what was posted is kept even when a later
// post in the scope is refused or fails.
#pragma once

#include <QString>

class ScopedCommit
{
  public:
    explicit ScopedCommit(const QString& connectionName);
    ~ScopedCommit();
    ScopedCommit(const ScopedCommit&) = delete;
    ScopedCommit& operator=(const ScopedCommit&) = delete;

    // Commits now; false when the commit failed and everything of the scope was rolled back
    // (the caller then re-reads its views).
    bool Commit();

  private:
    QString m_connectionName;
    bool m_open = false;
};
