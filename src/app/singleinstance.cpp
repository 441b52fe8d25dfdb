// flock on a lock file: the kernel releases it when the process ends, also after a crash.
#include "app/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString& name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = QDir(dir).absoluteFilePath(name + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

SingleInstance::Result SingleInstance::Acquire()
{
    QByteArray path = QFile::encodeName(m_path);
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return Result::Unknown;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return Result::First;
    int error = errno;
    ::close(m_fd);
    m_fd = -1;
    return error == EWOULDBLOCK ? Result::AnotherRuns : Result::Unknown;
}
