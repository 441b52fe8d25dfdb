// The exchange trace: every frame that crosses the port, one line each, as the engine runs.
#include "exchange/exchangeengine.h"
#include "exchange/framecodec.h"
#include "exchange/tracingport.h"
#include "support/fakehooks.h"
#include "support/fakeport.h"
#include "support/faketimer.h"
#include "support/testapp.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using FrameCodec::ACK;

class TraceTest : public ::testing::Test
{
  protected:
    void SetUp() override { TestApp(); }

    FakePort port;
    TracingPort traced{port};
    FakeTimer timerRequest;
    FakeTimer timerColor;
    FakeHooks hooks;
    ExchangeEngine engine{traced, timerRequest, timerColor, hooks};
};

TEST_F(TraceTest, FramesSentAndReceivedAreLinesOfByteValues)
{
    engine.StartExchange(ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD")));
    QCoreApplication::processEvents();
    // Noise and a stray LF outside frames leave no line; a frame split across notifications
    // gives one.
    port.Feed(QByteArray("xx\n/\x06", 5));
    port.Feed(QByteArray("\r\n", 2));
    ASSERT_EQ(traced.Lines(),
              (QStringList{"@+47+63+13+10", "/+47+6+13+10", "@+47+86+40+1+41+13+10"}));
    // The decorator hands the bytes on unchanged: the engine answered the ACK with the speed frame.
    EXPECT_EQ(port.writes.last().bytes, FrameCodec::SpeedFrame(1));
}

TEST_F(TraceTest, AnEndlessFrameIsDroppedAndClearForgetsAFrameHalfReceived)
{
    engine.StartExchange(ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD")));
    QCoreApplication::processEvents();
    port.Feed(QByteArray("/") + QByteArray(FrameAssembler::MaxFrameBytes + 1, 'x'));
    port.Feed(QByteArray("\r\n"));
    EXPECT_EQ(traced.Lines(), QStringList{"@+47+63+13+10"});

    // A new command clears the trace while the device's ACK is half received: the trace keeps
    // no half frame, the engine still takes the ACK and sends the speed frame (twice after a NAK).
    port.Feed(QByteArray("/\x06"));
    traced.Clear();
    port.Feed(QByteArray("\r\n/\x15\r\n"));
    const QString speed = QStringLiteral("@+47+86+40+1+41+13+10");
    EXPECT_EQ(traced.Lines(), (QStringList{speed, "/+47+21+13+10", speed}));
}

TEST_F(TraceTest, SavedOneFrameALine)
{
    engine.StartExchange({QStringLiteral("C?")});
    QCoreApplication::processEvents();
    port.Feed(FrameCodec::ControlFrame(ACK));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    ASSERT_TRUE(traced.Save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("@+47+63+13+10\n/+47+6+13+10\n"));
    EXPECT_FALSE(traced.Save(dir.filePath(QStringLiteral("no/such/folder/trace.txt"))));
}

} // namespace
