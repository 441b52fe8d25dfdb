// Loads and reads through the real port and engine against km350-sim on a pseudo-terminal, with
// faults.
#include "exchange/framecodec.h"
#include "support/simsession.h"
#include "support/testapp.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QStringList LoadScript(int meters)
{
    return ExchangeEngine::LoadScript(QStringLiteral("CW"), QStringLiteral("CWD"), meters);
}

const QStringList ReadScript =
    ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD"));

QList<MeterRow> Meters(int count)
{
    QList<MeterRow> rows;
    const QString types[] = {QStringLiteral("ЦЭ6803ВМ7Р32"), QStringLiteral("СО-И446"),
                             QStringLiteral("Меркурий")};
    const long double constants[] = {6400, 1600, 12345.6L};
    for (int i = 0; i < count; ++i)
        rows.append(MeterRow{QStringLiteral("ул. Мира %1").arg(i), types[i % 3], constants[i % 3],
                             QString::number(100000 + i)});
    return rows;
}

// Ten meters with three results and a creep test each, as the device's own memory.
QString WriteDeviceData(const QTemporaryDir& dir)
{
    QJsonArray meters;
    for (int i = 0; i < 10; ++i) {
        QJsonArray results;
        for (int r = 0; r < 3; ++r)
            results.append(QJsonObject{{"voltage", "230.0"},
                                       {"current", QString::number(r + 1)},
                                       {"power", "230"},
                                       {"pf", "0.8"},
                                       {"error", "0.1"},
                                       {"suffix", "C"}});
        QJsonObject verification{{"date", "15/06/07"},
                                 {"reading", "12.5"},
                                 {"results", results},
                                 {"creep", QJsonObject{{"voltage", "264"}, {"state", "2"}}}};
        meters.append(QJsonObject{{"address", QString::number(i)},
                                  {"type", QStringLiteral("СО-И446")},
                                  {"constant", "1600"},
                                  {"number", QString::number(500 + i)},
                                  {"verifications", QJsonArray{verification}}});
    }
    const QString path = dir.filePath("device.json");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QJsonDocument(QJsonObject{{"meters", meters}}).toJson());
    return path;
}

class EndToEnd : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};

TEST_F(EndToEnd, HundredMetersLoadAndReadBackWithResults)
{
    const QString dump = dir.filePath("loaded.json");
    SimSession s;
    ASSERT_TRUE(s.Start({"--demo", "--results", "10", "--dump", dump}));
    s.hooks.rateText = "115200";
    s.hooks.meters = Meters(100);

    s.Run(LoadScript(100));
    ASSERT_EQ(s.hooks.status, ULang::ExchangeFinished);
    // The simulator saves its load right after acknowledging the end mark.
    ASSERT_TRUE(SimSession::WaitFor([&] { return QFile::exists(dump); }, 20000));
    QFile f(dump);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonArray loaded = QJsonDocument::fromJson(f.readAll()).object()["meters"].toArray();
    ASSERT_EQ(loaded.size(), 100);
    for (int i = 0; i < 100; ++i) {
        const QJsonObject m = loaded[i].toObject();
        const MeterRow& row = s.hooks.meters[i];
        EXPECT_EQ(m["type"].toString(), row.PTipCH.left(9)) << i;
        EXPECT_EQ(m["address"].toString(), row.PAddress) << i;
        EXPECT_EQ(m["number"].toString(), row.PNumber) << i;
        EXPECT_EQ(m["constant"].toString(),
                  QString::fromLatin1(FrameCodec::ConstantField(row.PReductRate)).trimmed());
    }

    s.Run(ReadScript);
    ASSERT_EQ(s.hooks.status, ULang::ExchangeFinished);
    ASSERT_EQ(s.hooks.stored.size(), 100 * 12);
    for (int i = 0; i < 100; ++i) {
        const DeviceRecord& meter = s.hooks.stored[i * 12];
        EXPECT_EQ(meter.T, s.hooks.meters[i].PTipCH.left(9)) << i;
        EXPECT_EQ(meter.A, s.hooks.meters[i].PAddress) << i;
        EXPECT_FALSE(meter.D.isEmpty());
        EXPECT_FALSE(s.hooks.stored[i * 12 + 1].S.isEmpty());
        EXPECT_EQ(s.hooks.stored[i * 12 + 11].C, "1");
    }
    EXPECT_FALSE(s.engine->IncompleteIdent());
}

struct FaultCase {
    const char* name;
    QStringList simArgs;
    bool read;       // the fault is in a read, else in a load of 10 meters
    QString outcome; // status at the end
    int stored;      // records stored (read) or meters the device kept (load)
};

class FaultTest : public EndToEnd, public ::testing::WithParamInterface<FaultCase>
{
};

TEST_P(FaultTest, Case)
{
    const FaultCase& c = GetParam();
    const QString dump = dir.filePath("loaded.json");
    QStringList args = c.simArgs;
    args << "--dump" << dump;
    if (c.read)
        args << "--data" << WriteDeviceData(dir);
    SimSession s;
    ASSERT_TRUE(s.Start(args, c.outcome == ULang::NoDeviceLink ? 1000 : 10000));
    s.hooks.rateText = "57600";
    s.hooks.meters = Meters(10);
    s.Run(c.read ? ReadScript : LoadScript(10), 60000);
    EXPECT_EQ(s.hooks.status, c.outcome);
    if (c.outcome != ULang::NoDeviceLink) {
        EXPECT_EQ(s.hooks.panelClosed, c.outcome == ULang::ExchangeFinished ? 1 : 0);
    }
    if (c.read) {
        EXPECT_EQ(s.hooks.stored.size(), c.stored);
    } else if (c.outcome == ULang::ExchangeFinished) {
        ASSERT_TRUE(SimSession::WaitFor([&] { return QFile::exists(dump); }, 20000));
        QFile f(dump);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QJsonDocument::fromJson(f.readAll()).object()["meters"].toArray().size(),
                  c.stored);
    }
}

// Read frames: "?" 1, "V" 2, "?" 3, "R" 4, then one ACK per record. Load frames: "?" 1, "V" 2,
// "?" 3, "W" 4, meters 5 to 14, "O" 15. Ten device meters send 50 records.
INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTest,
    ::testing::Values(
        FaultCase{
            "CorruptTwiceIsRecovered", {"--corrupt", "7:2"}, true, ULang::ExchangeFinished, 50},
        FaultCase{"CorruptThriceFails", {"--corrupt", "7:3"}, true, ULang::TransferError, 6},
        FaultCase{"CutRecordIsRecovered", {"--cut", "3"}, true, ULang::ExchangeFinished, 50},
        FaultCase{"NoiseAndStrayLineFeeds",
                  {"--garbage", "--stray-lf"},
                  true,
                  ULang::ExchangeFinished,
                  50},
        FaultCase{"SplitFrames", {"--split"}, true, ULang::ExchangeFinished, 50},
        FaultCase{"EarlyEndMarkInRead", {"--early-end", "10"}, true, ULang::ExchangeFinished, 6},
        FaultCase{"SilenceInRead", {"--silent-after", "3"}, true, ULang::NoDeviceLink, 0},
        FaultCase{"RefusedMeterResent", {"--nak", "6:2"}, false, ULang::ExchangeFinished, 10},
        FaultCase{"RefusedSpeedFrameResent", {"--nak", "2:2"}, false, ULang::ExchangeFinished, 10},
        FaultCase{"MeterRefusedThriceFails", {"--nak", "6:3"}, false, ULang::TransferError, 0},
        FaultCase{"SilenceInLoad", {"--silent-after", "8"}, false, ULang::NoDeviceLink, 0}),
    [](const ::testing::TestParamInfo<FaultCase>& p) { return std::string(p.param.name); });

} // namespace
