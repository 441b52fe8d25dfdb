// The program as a process: one copy only, the archive must exist and be complete.
#include "core/ulang.h"
#include "database/schema.h"
#include "support/testapp.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{

class Startup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(work.isValid() && runtime.isValid() && config.isValid());
    }

    void Prepare(QProcess& p)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("KM350_MESSAGES"), QStringLiteral("stderr"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(work.path());
        p.setProgram(QStringLiteral(KM350_PATH));
    }

    // Runs the program to its end and returns its exit code; stderr into err.
    int Run(QString* err, const QStringList& args = {})
    {
        QProcess p;
        Prepare(p);
        p.setArguments(args);
        p.start();
        EXPECT_TRUE(p.waitForFinished(60000));
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // Whether a process holds the single-instance lock.
    bool LockHeld()
    {
        QByteArray path =
            QFile::encodeName(runtime.filePath(ULang::AppCaption + QStringLiteral(".lock")));
        int fd = ::open(path.constData(), O_RDWR);
        if (fd < 0)
            return false;
        bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return held;
    }

    QString ArchivePath() { return work.filePath(ULang::ArchiveFileName); }

    QTemporaryDir work;
    QTemporaryDir runtime;
    QTemporaryDir config;
};

TEST_F(Startup, MissingArchiveIsReportedAndNotCreated)
{
    QString err;
    EXPECT_NE(Run(&err), 0);
    EXPECT_TRUE(err.contains(QStringLiteral("Файл ") + work.path() +
                             QStringLiteral("/OrmixDB.sqlite не найден!")))
        << err.toStdString();
    EXPECT_FALSE(QFile::exists(ArchivePath()));
}

TEST_F(Startup, ArchiveLackingATableIsRefused)
{
    ASSERT_EQ(Run(nullptr, {QStringLiteral("--new-archive"), ArchivePath()}), 0);
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
        db.setDatabaseName(ArchivePath());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE TTableTip"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    QString err;
    EXPECT_NE(Run(&err), 0);
    EXPECT_TRUE(err.contains(QStringLiteral("не найден!"))) << err.toStdString();
}

TEST_F(Startup, NewArchiveNeverOverwrites)
{
    EXPECT_EQ(Run(nullptr, {QStringLiteral("--new-archive"), ArchivePath()}), 0);
    QString err;
    EXPECT_NE(Run(&err, {QStringLiteral("--new-archive"), ArchivePath()}), 0);
    EXPECT_FALSE(err.isEmpty());
}

TEST_F(Startup, TerminationSignalEndsNormallyAndSavesTheSettings)
{
    ASSERT_EQ(Run(nullptr, {QStringLiteral("--new-archive"), ArchivePath()}), 0);
    QProcess program;
    Prepare(program);
    program.start();
    ASSERT_TRUE(program.waitForStarted());
    QDeadlineTimer deadline(60000);
    while (!LockHeld() && !deadline.hasExpired() && program.state() == QProcess::Running)
        QThread::msleep(50);
    ASSERT_TRUE(LockHeld());
    // The signal may come while the windows are still being built: the program ends once its
    // event loop runs.
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile ini(config.filePath(QStringLiteral("Ormix/KM350.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("SFConfigCom.CBNumCom.Text")) << text.toStdString();
    EXPECT_TRUE(text.contains("[Archiv]"));
    // A clean end leaves no journal files beside the archive.
    EXPECT_FALSE(QFile::exists(ArchivePath() + QStringLiteral("-wal")));
}

TEST_F(Startup, SecondCopyIsRefusedAndTheFirstKeepsRunning)
{
    ASSERT_EQ(Run(nullptr, {QStringLiteral("--new-archive"), ArchivePath()}), 0);
    QProcess first;
    Prepare(first);
    first.start();
    ASSERT_TRUE(first.waitForStarted());
    QDeadlineTimer deadline(60000);
    while (!LockHeld() && !deadline.hasExpired() && first.state() == QProcess::Running)
        QThread::msleep(50);
    ASSERT_TRUE(LockHeld()) << first.readAllStandardError().toStdString();

    QString err;
    EXPECT_EQ(Run(&err), 0);
    EXPECT_TRUE(err.contains(ULang::SecondCopy)) << err.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_FALSE(LockHeld());

    // Once the first copy has ended, the program starts normally again.
    QProcess again;
    Prepare(again);
    again.start();
    ASSERT_TRUE(again.waitForStarted());
    deadline = QDeadlineTimer(60000);
    while (!LockHeld() && !deadline.hasExpired() && again.state() == QProcess::Running)
        QThread::msleep(50);
    EXPECT_TRUE(LockHeld());
    again.kill();
    again.waitForFinished(30000);
}

} // namespace
