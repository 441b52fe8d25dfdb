// The guard that lets only one copy of the program run: a lock held for the process's life.
#pragma once

#include <QString>

class SingleInstance
{
  public:
    enum class Result { First, AnotherRuns, Unknown };

    // name: the guard's name; the lock file lies in the user's runtime folder.
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock. Unknown: the lock could not be tried (start-up goes on).
    Result Acquire();
    QString LockPath() const { return m_path; }

  private:
    QString m_path;
    int m_fd = -1;
};
