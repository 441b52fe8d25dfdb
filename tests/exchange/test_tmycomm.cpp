// The serial port: device names from the settings, open and close events, rates, range errors, a
// real pty.
#include "exchange/tmycomm.h"
#include "support/testapp.h"

#include <QElapsedTimer>
#include <QSettings>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace
{

void SetPortPath(const char* key, const QString& path)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Ormix"),
                QStringLiteral("KM350"));
    s.setValue(QStringLiteral("Ports/") + QLatin1String(key), path);
}

// A pseudo-terminal pair; the test holds the master side.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slave = QString::fromLocal8Bit(::ptsname(master));
    }
    ~Pty() { ::close(master); }
};

class TMyCommTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        comm.OnActivate = [this](TMyComm*) { ++activated; };
        comm.OnDeActivate = [this](TMyComm*) { ++deactivated; };
    }
    TMyComm comm;
    int activated = 0;
    int deactivated = 0;
};

TEST_F(TMyCommTest, DefaultsAndDevicePaths)
{
    EXPECT_EQ(comm.BaudRate(), BR___9600);
    EXPECT_EQ(comm.ComNo(), TMyComm::Com2);
    EXPECT_EQ(comm.BufferLen(), 300);
    EXPECT_EQ(comm.ReadTimeout(), 1000);
    EXPECT_EQ(TMyComm::DevicePath(TMyComm::Lpt1), "/dev/lp0");
    SetPortPath("COM3", "  /dev/ttyUSB0 ");
    EXPECT_EQ(TMyComm::DevicePath(TMyComm::Com3), "/dev/ttyUSB0");
    SetPortPath("COM3", "");
    EXPECT_EQ(TMyComm::DevicePath(TMyComm::Com3), "/dev/ttyS2");
}

TEST_F(TMyCommTest, RateTable)
{
    EXPECT_EQ(TMyComm::RateOf(BR____110), 110);
    EXPECT_EQ(TMyComm::RateOf(BR__19200), 19200);
    EXPECT_EQ(TMyComm::RateOf(BR__56000), 56000);
    EXPECT_EQ(TMyComm::RateOf(BR_256000), 256000);
    EXPECT_EQ(TMyComm::RateOf(static_cast<TBaudRate>(15)), 9600);
    EXPECT_EQ(TMyComm::RateOf(static_cast<TBaudRate>(-1)), 9600);
}

TEST_F(TMyCommTest, AbsentDeviceStaysClosedSilently)
{
    SetPortPath("COM1", "/nonexistent/ttyKM350");
    comm.SetComNo(TMyComm::Com1);
    comm.Open();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(activated, 0);
    EXPECT_EQ(comm.InQueueCount(), 0);
    char b[4];
    EXPECT_EQ(comm.Write("abc", 3), 0);
    EXPECT_EQ(comm.Read(b, 4), 0);
    comm.Close();
    EXPECT_EQ(deactivated, 1);
}

TEST_F(TMyCommTest, NegativeValuesAreRangeErrors)
{
    char b[1];
    EXPECT_THROW(comm.Write(b, -1), std::out_of_range);
    EXPECT_THROW(comm.Read(b, -1), std::out_of_range);
    EXPECT_THROW(comm.SetBufferLen(-5), std::out_of_range);
    EXPECT_THROW(comm.SetReadTimeout(-1), std::out_of_range);
    EXPECT_THROW(comm.SetByteSize(256), std::out_of_range);
}

TEST_F(TMyCommTest, OpensAPseudoTerminalAndMovesBytesBothWays)
{
    Pty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    SetPortPath("COM2", pty.slave);
    comm.SetBaudRate(BR__19200);
    comm.Open();
    ASSERT_TRUE(comm.IsOpen()); // DTR fails on a pseudo-terminal; the port opens anyway
    EXPECT_EQ(activated, 1);

    EXPECT_EQ(comm.Write("/?\r\n", 4), 4);
    char got[4] = {};
    EXPECT_EQ(::read(pty.master, got, 4), 4);
    EXPECT_EQ(QByteArray(got, 4), QByteArray("/?\r\n"));

    ASSERT_EQ(::write(pty.master, "\x06xy", 3), 3);
    char in[3] = {};
    EXPECT_EQ(comm.Read(in, 3), 3);
    EXPECT_EQ(QByteArray(in, 3), QByteArray("\x06xy"));

    comm.SetBaudRate(BR_115200);
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B115200);

    comm.SetComNo(TMyComm::Com2); // the same port: stays open
    EXPECT_TRUE(comm.IsOpen());
    comm.SetComNo(TMyComm::Com3); // another port: closes
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(deactivated, 1);
}

TEST_F(TMyCommTest, InputBeyondTheBufferLengthIsDroppedWhileNobodyReads)
{
    Pty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    SetPortPath("COM2", pty.slave);
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    ::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) | O_NONBLOCK);

    // Another instrument streams into the open port while no exchange reads it.
    const QByteArray noise(4096, 'x');
    qint64 sent = 0;
    QElapsedTimer clock;
    clock.start();
    while (sent < 1024 * 1024 && clock.elapsed() < 5000) {
        const ssize_t n = ::write(pty.master, noise.constData(), static_cast<size_t>(noise.size()));
        if (n > 0)
            sent += n;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_GT(sent, 4 * comm.BufferLen()) << "the line went on taking bytes";
    EXPECT_LE(comm.InQueueCount(), comm.BufferLen());

    comm.SetBufferLen(1000);
    for (int i = 0; i < 20; ++i) {
        if (::write(pty.master, noise.constData(), static_cast<size_t>(noise.size())) < 0)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_LE(comm.InQueueCount(), 1000);

    // The next command purges the port: only what the device sends after that is read.
    comm.Purge();
    EXPECT_EQ(comm.InQueueCount(), 0);
    ASSERT_EQ(::write(pty.master, "/\x06\r\n", 4), 4);
    char in[8] = {};
    EXPECT_EQ(comm.Read(in, 4), 4);
    EXPECT_EQ(QByteArray(in, 4), QByteArray("/\x06\r\n"));
    EXPECT_EQ(comm.InQueueCount(), 0);
}

} // namespace
