// The exchange engine driven byte by byte through a fake port and a hand-driven clock.
#include "core/ulang.h"
#include "exchange/exchangeengine.h"
#include "exchange/framecodec.h"
#include "support/fakehooks.h"
#include "support/fakeport.h"
#include "support/faketimer.h"
#include "support/testapp.h"

#include <gtest/gtest.h>

namespace
{

using FrameCodec::ACK;
using FrameCodec::NAK;

QByteArray Ctl(char code)
{
    return FrameCodec::ControlFrame(code);
}

// A device record with its checksum (off by delta when a fault is wanted).
QByteArray Rec(const QByteArray& fields, int delta = 0)
{
    QByteArray f = QByteArray("/\x02") + fields;
    unsigned sum = 0;
    for (qsizetype i = 2; i < f.size(); ++i)
        sum += static_cast<unsigned char>(f.at(i));
    f.append('\x03');
    f.append(static_cast<char>((sum + delta) & 0xFF));
    f.append("\r\n");
    return f;
}

QStringList LoadScript(int meters)
{
    return ExchangeEngine::LoadScript(QStringLiteral("CW"), QStringLiteral("CWD"), meters);
}

const QStringList ReadScript =
    ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD"));

class EngineTest : public ::testing::Test
{
  protected:
    void SetUp() override { TestApp(); }

    void Start(const QStringList& script)
    {
        engine.StartExchange(script);
        QCoreApplication::processEvents();
    }
    QByteArray LastSent() const
    {
        return port.writes.isEmpty() ? QByteArray() : port.writes.last().bytes;
    }
    qsizetype Sent() const { return port.writes.size(); }
    // Runs a read script up to the phase where the device sends its records.
    void StartReading()
    {
        Start(ReadScript);
        for (int i = 0; i < 4; ++i)
            port.Feed(Ctl(ACK));
        ASSERT_EQ(LastSent(), Ctl('R'));
        port.writes.clear();
    }

    FakePort port;
    FakeTimer timerRequest;
    FakeTimer timerColor;
    FakeHooks hooks;
    ExchangeEngine engine{port, timerRequest, timerColor, hooks};
};

TEST_F(EngineTest, LoadSendsEveryStepOnAckAndFinishesOnTheLastAck)
{
    hooks.rateText = "115200";
    hooks.meters = {MeterRow{"1", "T1", 1600, "N1"}, MeterRow{"2", "T2", 6400, "N2"}};
    Start(LoadScript(2));
    EXPECT_EQ(LastSent(), Ctl('?'));
    EXPECT_TRUE(timerRequest.active);

    port.Feed(Ctl(ACK));
    EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(4));
    EXPECT_EQ(port.writes.last().rate, BR__19200); // the speed frame leaves at the old rate
    EXPECT_EQ(port.rate, BR_115200);
    EXPECT_EQ(port.sleptMs, 3);

    const QList<QByteArray> expected{Ctl('?'), Ctl('W'), FrameCodec::MeterRecord(hooks.meters[0]),
                                     FrameCodec::MeterRecord(hooks.meters[1]), Ctl('O')};
    for (const QByteArray& frame : expected) {
        port.Feed(Ctl(ACK));
        EXPECT_EQ(LastSent(), frame);
        EXPECT_EQ(port.writes.last().rate, BR_115200);
    }
    EXPECT_EQ(hooks.panelClosed, 0);
    port.Feed(Ctl(ACK));
    EXPECT_EQ(hooks.panelClosed, 1);
    EXPECT_EQ(hooks.status, ULang::ExchangeFinished);
    EXPECT_EQ(hooks.rewinds, 1);
    EXPECT_EQ(hooks.countUpdates, 1);
    EXPECT_FALSE(timerRequest.active);
    EXPECT_FALSE(engine.IsPolling());
    EXPECT_EQ(Sent(), 7);
}

TEST_F(EngineTest, RejectedFrameIsResentTwiceThenTheTransferFails)
{
    hooks.meters = {MeterRow{"1", "T1", 1600, "N1"}};
    Start(LoadScript(1));
    for (int i = 0; i < 4; ++i)
        port.Feed(Ctl(ACK));
    const QByteArray record = LastSent();
    ASSERT_EQ(record.size(), FrameCodec::MeterRecordSize);

    port.Feed(Ctl(NAK));
    port.Feed(Ctl(NAK));
    EXPECT_EQ(Sent(), 7);
    EXPECT_EQ(port.writes[5].bytes, record);
    EXPECT_EQ(port.writes[6].bytes, record);
    EXPECT_EQ(hooks.meterCursor, 1); // a resend moves no cursor

    port.Feed(Ctl(NAK));
    EXPECT_EQ(Sent(), 7);
    EXPECT_EQ(hooks.status, ULang::TransferError);
    EXPECT_EQ(hooks.colour, StatusColour::Red);
    EXPECT_TRUE(timerColor.active);
    EXPECT_FALSE(timerRequest.active);
    timerColor.Elapse();
    EXPECT_EQ(hooks.toggles, 1);

    // Frames that still arrive are handled: an ACK sends the next step.
    port.Feed(Ctl(ACK));
    EXPECT_EQ(LastSent(), Ctl('O'));
}

TEST_F(EngineTest, NakToTheSpeedFrameIsResentAtTheNewRate)
{
    hooks.rateText = "38400";
    Start(LoadScript(0));
    port.Feed(Ctl(ACK));
    port.Feed(Ctl(NAK));
    ASSERT_EQ(Sent(), 3);
    EXPECT_EQ(port.writes[2].bytes, FrameCodec::SpeedFrame(2));
    EXPECT_EQ(port.writes[1].rate, BR__19200);
    EXPECT_EQ(port.writes[2].rate, BR__38400);
}

TEST_F(EngineTest, RateTextOutsideTheFourValuesKeepsThePreviousCode)
{
    hooks.rateText = "abc";
    engine.SendSpeed();
    EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(1)) << "1 until a rate was chosen";
    hooks.rateText = "57600";
    engine.SendSpeed();
    EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(3));
    for (const char* text : {"9600", "", " 19200", "abc"}) {
        hooks.rateText = text;
        engine.SendSpeed();
        EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(3)) << text;
        EXPECT_EQ(port.rate, BR__57600);
    }
}

TEST_F(EngineTest, EndMarkFromTheDeviceMidLoadIsAcknowledgedAndFinishes)
{
    hooks.meters = {MeterRow{"1", "T", 1, "N"}, MeterRow{"2", "T", 1, "N"},
                    MeterRow{"3", "T", 1, "N"}};
    Start(LoadScript(3));
    for (int i = 0; i < 5; ++i)
        port.Feed(Ctl(ACK));
    port.Feed(Ctl('O'));
    EXPECT_EQ(LastSent(), Ctl(ACK));
    EXPECT_EQ(hooks.panelClosed, 1);
    EXPECT_EQ(hooks.meterCursor, 0); // rewound
    EXPECT_FALSE(timerRequest.active);
}

TEST_F(EngineTest, ReadStoresAndAcknowledgesEveryRecordUntilTheEndMark)
{
    StartReading();
    EXPECT_FALSE(timerRequest.active); // waiting for records is not watched by the time-out
    port.Feed(Rec("A(1)T(T1)N(5)P(1600)D(15/06/07)E(12.5)"));
    port.Feed(Rec("U(220)I(5)M(1100)K(1.00)S(0.1)F(L)"));
    port.Feed(Rec("U(220)I(0)C(2)"));
    ASSERT_EQ(hooks.stored.size(), 3);
    EXPECT_EQ(hooks.stored[0].N, "5");
    EXPECT_EQ(hooks.stored[1].F, "L");
    EXPECT_TRUE(hooks.stored[2].D.isEmpty());
    EXPECT_EQ(hooks.stored[2].C, "2");
    EXPECT_EQ(Sent(), 3);
    for (const auto& w : port.writes)
        EXPECT_EQ(w.bytes, Ctl(ACK));
    port.Feed(Ctl('O'));
    EXPECT_EQ(Sent(), 4);
    EXPECT_EQ(hooks.panelClosed, 1);
}

TEST_F(EngineTest, BadRecordThreeTimesGivesTheTransferErrorAndStoresNothing)
{
    StartReading();
    const QByteArray bad = Rec("A(1)T(T1)N(5)P(1600)D(15/06/07)E(12.5)", 1);
    port.Feed(bad);
    port.Feed(bad);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(port.writes[0].bytes, Ctl(NAK));
    EXPECT_EQ(port.writes[1].bytes, Ctl(NAK));
    EXPECT_NE(hooks.status, ULang::TransferError);
    port.Feed(bad);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(hooks.status, ULang::TransferError);
    EXPECT_TRUE(hooks.stored.isEmpty());

    // A later good creep record must not pick up the date and reading of the refused one.
    port.Feed(Rec("U(220)I(0)C(1)"));
    ASSERT_EQ(hooks.stored.size(), 1);
    EXPECT_TRUE(hooks.stored[0].D.isEmpty());
    EXPECT_TRUE(hooks.stored[0].E.isEmpty());
}

TEST_F(EngineTest, GoodRecordAfterABadOneIsAcknowledgedAndResetsRetries)
{
    StartReading();
    port.Feed(Rec("U(1)I(2)S(3)", 5));
    port.Feed(Rec("U(1)I(2)S(3)"));
    ASSERT_EQ(port.writes.size(), 2);
    EXPECT_EQ(port.writes[0].bytes, Ctl(NAK));
    EXPECT_EQ(port.writes[1].bytes, Ctl(ACK));
    EXPECT_EQ(hooks.stored.size(), 1);
    // The count starts again: the next bad record may be refused twice before the failure.
    for (int i = 0; i < ExchangeEngine::MaxRetries; ++i)
        port.Feed(Rec("U(1)I(2)S(3)", 5));
    EXPECT_EQ(port.writes.last().bytes, Ctl(NAK));
    EXPECT_NE(hooks.status, ULang::TransferError);
    port.Feed(Rec("U(1)I(2)S(3)", 5));
    EXPECT_EQ(hooks.status, ULang::TransferError);
}

TEST_F(EngineTest, RecordThatCannotBeStoredIsRefusedLikeABadChecksum)
{
    StartReading();
    int calls = 0;
    hooks.canStore = [&calls](const DeviceRecord& r) -> bool {
        ++calls;
        if (r.E == "1,5")
            return false; // a reading that does not convert
        if (r.E == "boom")
            throw std::runtime_error("insert refused");
        return true;
    };
    port.Feed(Rec("A(1)T(T)N(1)P(1)D(01/01/07)E(1,5)"));
    port.Feed(Rec("A(1)T(T)N(1)P(1)D(01/01/07)E(boom)"));
    EXPECT_EQ(port.writes[0].bytes, Ctl(NAK));
    EXPECT_EQ(port.writes[1].bytes, Ctl(NAK));
    port.Feed(Rec("A(1)T(T)N(1)P(1)D(01/01/07)E(1,5)"));
    EXPECT_EQ(hooks.status, ULang::TransferError);
    EXPECT_TRUE(hooks.stored.isEmpty());
    // Reception goes on after the exception.
    port.Feed(Rec("A(1)T(T)N(1)P(1)D(01/01/07)E(1.5)"));
    EXPECT_EQ(hooks.stored.size(), 1);
    EXPECT_EQ(port.writes.last().bytes, Ctl(ACK));
    EXPECT_EQ(calls, 4);
}

TEST_F(EngineTest, BytesOutsideFramesAreDroppedAndAStrayLineFeedIsIgnored)
{
    StartReading();
    port.Feed(QByteArray("garbage\r\n\x06\x0a", 11));
    EXPECT_TRUE(port.writes.isEmpty());
    port.Feed(Rec("U(1)I(2)S(3)"));
    port.Feed(QByteArray("\n\r\n\n"));
    EXPECT_EQ(hooks.stored.size(), 1);
    EXPECT_EQ(port.writes.size(), 1);
    port.Feed(QByteArray("xx/", 3) + Rec("U(4)I(5)S(6)").mid(1));
    ASSERT_EQ(hooks.stored.size(), 2);
    EXPECT_EQ(hooks.stored[1].U, "4");
}

TEST_F(EngineTest, FrameCutShortMergesWithTheNextAndIsRefusedOnce)
{
    StartReading();
    const QByteArray good = Rec("U(220)I(5)M(1100)K(0.8)S(0.3)");
    port.Feed(good.left(12));
    port.Feed(good);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.writes[0].bytes, Ctl(NAK));
    EXPECT_TRUE(hooks.stored.isEmpty());
    port.Feed(good);
    EXPECT_EQ(hooks.stored.size(), 1);
}

TEST_F(EngineTest, FrameSplitIntoSingleBytesIsAssembled)
{
    StartReading();
    const QByteArray good = Rec("A(\xD1\xCE)T(x)N(1)P(6400)");
    for (char b : good)
        port.Feed(QByteArray(1, b));
    ASSERT_EQ(hooks.stored.size(), 1);
    EXPECT_EQ(hooks.stored[0].A, QStringLiteral("СО"));
}

TEST_F(EngineTest, EndlessFrameIsDroppedAndReceptionRecovers)
{
    StartReading();
    port.Feed(QByteArray("/\x02") + QByteArray(FrameAssembler::MaxFrameBytes + 10, 'x'));
    EXPECT_TRUE(port.writes.isEmpty());
    port.Feed(Rec("U(1)I(2)S(3)"));
    EXPECT_EQ(hooks.stored.size(), 1);
}

TEST_F(EngineTest, SilenceShowsNoLinkEverySecondAndQueuedBytesWaitForTheNextCommand)
{
    Start(LoadScript(0));
    timerRequest.Elapse();
    EXPECT_EQ(hooks.status, ULang::NoDeviceLink);
    EXPECT_EQ(hooks.colour, StatusColour::Red);
    EXPECT_TRUE(timerColor.active);
    EXPECT_FALSE(engine.IsPolling());
    timerRequest.Elapse();
    EXPECT_EQ(hooks.statusHistory.count(ULang::NoDeviceLink), 2);

    // While paused, an answer stays in the port's queue.
    port.Feed(Ctl(ACK));
    EXPECT_EQ(port.rx.size(), 4);
    EXPECT_EQ(Sent(), 1);
    engine.ResumePolling();
    QCoreApplication::processEvents();
    EXPECT_TRUE(port.rx.isEmpty());
    EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(1));
}

TEST_F(EngineTest, IncompleteIdentificationIsNotedEvenWhenTheChecksumFails)
{
    StartReading();
    port.Feed(Rec("A(   )T(x)N(1)P(1)", 3));
    EXPECT_TRUE(engine.IncompleteIdent());
    EXPECT_TRUE(hooks.stored.isEmpty());
}

TEST_F(EngineTest, ScriptAskingForMoreMetersThanTheBufferHoldsSendsNothingInvented)
{
    hooks.meters = {};
    Start(LoadScript(1));
    for (int i = 0; i < 4; ++i)
        port.Feed(Ctl(ACK));
    EXPECT_EQ(LastSent(), Ctl('W'));
    EXPECT_EQ(hooks.status, ULang::TransferError);
}

TEST_F(EngineTest, TypeLoadSendsTypeRecords)
{
    hooks.types = {TypeRow{QStringLiteral("СО-И446"), 1600}};
    Start({"C?", "Speed", "C?", "Cw", "CwD", "O"});
    for (int i = 0; i < 4; ++i)
        port.Feed(Ctl(ACK));
    EXPECT_EQ(LastSent(), FrameCodec::TypeRecord(hooks.types[0]));
    EXPECT_EQ(port.writes[3].bytes, Ctl('w'));
}

TEST_F(EngineTest, ReplyCodesOutsideTheProtocolAreIgnored)
{
    Start(LoadScript(0));
    port.Feed(Ctl('Z'));
    port.Feed(QByteArray("/\r\n"));
    EXPECT_EQ(Sent(), 1);
    port.Feed(Ctl(ACK));
    EXPECT_EQ(LastSent(), FrameCodec::SpeedFrame(1)) << "the script is still on its first step";
}

TEST_F(EngineTest, AnErrorWhileSendingAStepEndsTheExchangeAsATransferFailure)
{
    // The first step, sent by the command itself, and a later one, sent on the device's answer.
    for (int failing : {0, 3}) {
        SCOPED_TRACE(failing);
        int rows = 0;
        hooks.nextRowFails = [&rows, failing] { return rows++ == failing; };
        hooks.status.clear();
        hooks.meters = {MeterRow{"1", "T", 1, "N"}, MeterRow{"2", "T", 1, "N"},
                        MeterRow{"3", "T", 1, "N"}, MeterRow{"4", "T", 1, "N"}};
        hooks.meterCursor = 0;
        Start({"CWD", "CWD", "CWD", "CWD", "O"});
        for (int i = 0; i < failing; ++i)
            port.Feed(Ctl(ACK));
        EXPECT_EQ(hooks.status, ULang::TransferError);
        EXPECT_EQ(hooks.colour, StatusColour::Red);
        EXPECT_FALSE(timerRequest.active) << "no silence is waited for after the failure";
        EXPECT_TRUE(timerColor.active);
        EXPECT_EQ(Sent(), failing);
    }
}

} // namespace
