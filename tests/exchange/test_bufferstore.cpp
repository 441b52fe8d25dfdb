// Buffer storage of device records: the four rules, conversions, and records without a meter.
#include "exchange/bufferstore.h"
#include "exchange/framecodec.h"
#include "support/archivefixture.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace
{

DeviceRecord Meter(const QString& address, const QString& number,
                   const QString& date = QStringLiteral("15/06/07"),
                   const QString& reading = QStringLiteral("12.5"))
{
    DeviceRecord r;
    r.A = address;
    r.T = QStringLiteral("СО-И446");
    r.N = number;
    r.P = QStringLiteral("1600");
    r.D = date;
    r.E = reading;
    return r;
}

DeviceRecord Result(const QString& k, const QString& f, const QString& s = QStringLiteral("0.5"))
{
    DeviceRecord r;
    r.U = QStringLiteral("230.0");
    r.I = QStringLiteral("5");
    r.M = QStringLiteral("920");
    r.K = k;
    r.F = f;
    r.S = s;
    return r;
}

DeviceRecord Creep(const QString& state, const QString& u = QStringLiteral("264"))
{
    DeviceRecord r;
    r.U = u;
    r.I = QStringLiteral("0");
    r.C = state;
    return r;
}

class BufferStoreTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        store = std::make_unique<BufferStore>(*dm->ADOSinchro, *dm->ADOSinchroData,
                                              *dm->ADOSinchroResult, *dm->ADOTableTip);
    }
    // Rows of a whole table, whatever the views show.
    int Count(const QString& table)
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        q.next();
        return q.value(0).toInt();
    }
    std::unique_ptr<BufferStore> store;
};

} // namespace

TEST(BufferStoreRules, PowerFactorText)
{
    struct Case {
        const char* k;
        const char* f;
        const char* stored;
    };
    for (const Case& c :
         {Case{"1.00", "L", "1.00"}, Case{"0.8", "C", "0.8/C"}, Case{"0.8", "", "0.8"},
          Case{"1", "C", "1"}, Case{"0.5", "L", "0.5/L"}, Case{"x1", "L", "x1/L"}})
        EXPECT_EQ(BufferStore::PowerFactorText(QString::fromUtf8(c.k), QString::fromUtf8(c.f)),
                  QString::fromUtf8(c.stored))
            << c.k << " " << c.f;
}

TEST(BufferStoreRules, DeviceDate)
{
    const QDate today(2026, 12, 11);
    struct Case {
        const char* text;
        QDate date;
    };
    for (const Case& c :
         {Case{"15/06/07", QDate(2007, 6, 15)}, Case{"31/02/07", today},
          Case{"15/06", QDate(2026, 6, 15)}, Case{"01/01/76", QDate(1976, 1, 1)},
          Case{"01/01/75", QDate(2075, 1, 1)}, Case{"15/06/2007", QDate(2007, 6, 15)},
          Case{"", today}, Case{"15.06.07", today}, Case{"1x/06/07", today},
          Case{"15/06/07/01", today}, Case{"00/06/07", today}})
        EXPECT_EQ(BufferStore::DeviceDate(QString::fromUtf8(c.text), today), c.date) << c.text;
}

TEST(BufferStoreRules, StrictFloatTakesOnlyThePoint)
{
    EXPECT_DOUBLE_EQ(BufferStore::StrictFloat(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(BufferStore::StrictFloat(QStringLiteral("-3")), -3);
    for (const char* bad : {"12,5", "", "abc", "1.2.3", "inf", "nan"})
        EXPECT_THROW(BufferStore::StrictFloat(QString::fromUtf8(bad)), EConvertError) << bad;
}

TEST_F(BufferStoreTest, MeterVerificationResultsAndCreepTest)
{
    ASSERT_TRUE(store->StoreRecord(Meter(QStringLiteral("ул. Мира 5"), QStringLiteral("100234"))));
    ASSERT_TRUE(store->StoreRecord(Result(QStringLiteral("1.00"), QStringLiteral("L"))));
    ASSERT_TRUE(store->StoreRecord(
        Result(QStringLiteral("0.8"), QStringLiteral("C"), QStringLiteral("1500"))));
    ASSERT_TRUE(store->StoreRecord(Creep(QStringLiteral("2"))));
    // A second meter without a creep test keeps 99.
    ASSERT_TRUE(store->StoreRecord(
        Meter(QStringLiteral("12"), QStringLiteral("2045"), QStringLiteral("01/02"))));

    DataSet& meters = *dm->ADOSinchro;
    ASSERT_EQ(meters.RecordCount(), 2);
    meters.First();
    EXPECT_EQ(meters.FieldByName("PTipCH").AsString(), QStringLiteral("СО-И446"));
    EXPECT_EQ(meters.FieldByName("PReductRate").AsFloat(), 1600);
    EXPECT_EQ(meters.FieldByName("PNumber").AsString(), QStringLiteral("100234"));
    EXPECT_EQ(meters.FieldByName("PAddress").AsString(), QStringLiteral("ул. Мира 5"));
    DataSet& data = *dm->ADOSinchroData;
    ASSERT_EQ(data.RecordCount(), 1);
    EXPECT_EQ(data.FieldByName("PDateMeasure").AsDateTime().date(), QDate(2007, 6, 15));
    EXPECT_EQ(data.FieldByName("POrmix").AsFloat(), 12.5);
    EXPECT_EQ(data.FieldByName("PSamohod").AsInteger(), 2);
    EXPECT_EQ(data.FieldByName("PUSamohod").AsFloat(), 264);
    DataSet& results = *dm->ADOSinchroResult;
    ASSERT_EQ(results.RecordCount(), 2);
    results.First();
    EXPECT_EQ(results.FieldByName("PFPMeasure").AsString(), QStringLiteral("1.00"));
    EXPECT_EQ(results.FieldByName("PUMeasure").AsFloat(), 230);
    EXPECT_EQ(results.FieldByName("PPowerMeasure").AsFloat(), 920);
    results.Next();
    EXPECT_EQ(results.FieldByName("PFPMeasure").AsString(), QStringLiteral("0.8/C"));
    EXPECT_EQ(results.FieldByName("PMistakeMeasure").AsFloat(), 1500);
    EXPECT_TRUE(results.FieldByName("PDateMeasure").IsNull());

    meters.Last();
    ASSERT_EQ(data.RecordCount(), 1);
    EXPECT_EQ(data.FieldByName("PSamohod").AsInteger(), 99);
    EXPECT_EQ(data.FieldByName("PUSamohod").AsFloat(), 0);
    EXPECT_EQ(data.FieldByName("PDateMeasure").AsDateTime().date(),
              QDate(QDate::currentDate().year(), 2, 1));
}

TEST_F(BufferStoreTest, TypeRecordLandsInTheDeviceTypeTable)
{
    DeviceRecord type;
    type.T = QStringLiteral("ЦЭ6803В");
    type.P = QStringLiteral("6400");
    ASSERT_TRUE(store->StoreRecord(type));
    EXPECT_EQ(dm->ADOSinchro->RecordCount(), 0);
    ASSERT_EQ(dm->ADOTableTip->RecordCount(), 1);
    EXPECT_EQ(dm->ADOTableTip->FieldByName("PTip").AsString(), QStringLiteral("ЦЭ6803В"));
    EXPECT_EQ(dm->ADOTableTip->FieldByName("PReductRate").AsFloat(), 6400);
}

TEST_F(BufferStoreTest, RecordsWithoutTheirMeterAreAcknowledgedAndDropped)
{
    DeviceRecord verification;
    verification.D = QStringLiteral("15/06/07");
    verification.E = QStringLiteral("1");
    // Before any meter: nothing to attach to.
    EXPECT_TRUE(store->StoreRecord(verification));
    EXPECT_TRUE(store->StoreRecord(Result(QStringLiteral("1"), {})));
    EXPECT_EQ(Count("TSData") + Count("TSResult"), 0);

    // A meter without verification: results have nothing to attach to either.
    DeviceRecord bare = Meter(QStringLiteral("1"), QStringLiteral("1"), {}, {});
    ASSERT_TRUE(store->StoreRecord(bare));
    EXPECT_TRUE(store->StoreRecord(Result(QStringLiteral("1"), {})));
    EXPECT_TRUE(store->StoreRecord(Creep(QStringLiteral("2"))));
    EXPECT_EQ(Count("TSData") + Count("TSResult"), 0);
    // U, I and C alone create nothing.
    EXPECT_EQ(Count("TSTip"), 1);
}

TEST_F(BufferStoreTest, DataAfterAnIncompleteMeterDoesNotJoinThePreviousMeter)
{
    ASSERT_TRUE(store->StoreRecord(Meter(QStringLiteral("1"), QStringLiteral("100"))));
    ASSERT_TRUE(store->StoreRecord(Result(QStringLiteral("1"), {})));

    DeviceRecord incomplete = Meter(QString(), QStringLiteral("200"));
    incomplete.BlankIdent = true;
    ASSERT_TRUE(store->StoreRecord(incomplete));
    EXPECT_TRUE(store->Detached());
    EXPECT_TRUE(store->StoreRecord(Result(QStringLiteral("0.5"), QStringLiteral("L"))));
    EXPECT_TRUE(store->StoreRecord(Creep(QStringLiteral("2"))));
    EXPECT_EQ(Count("TSTip"), 1);
    EXPECT_EQ(Count("TSData"), 1);
    EXPECT_EQ(Count("TSResult"), 1);
    dm->ADOSinchro->First();
    EXPECT_EQ(dm->ADOSinchroData->FieldByName("PSamohod").AsInteger(), 99);

    // The next complete meter takes its data again.
    ASSERT_TRUE(store->StoreRecord(Meter(QStringLiteral("3"), QStringLiteral("300"))));
    EXPECT_FALSE(store->Detached());
    ASSERT_TRUE(store->StoreRecord(Result(QStringLiteral("1"), {})));
    EXPECT_EQ(Count("TSData"), 2);
    EXPECT_EQ(Count("TSResult"), 2);
}

TEST_F(BufferStoreTest, AValueThatCannotBeStoredLeavesNoRowsBehind)
{
    struct Case {
        const char* name;
        DeviceRecord record;
        bool afterMeter; // needs a meter with a verification first
    };
    DeviceRecord longType = Meter(QStringLiteral("1"), QStringLiteral("2"));
    longType.T = QStringLiteral("ЦЭ6803ВМ7Р32");
    const Case cases[] = {
        {"comma in the register reading",
         Meter(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("15/06/07"),
               QStringLiteral("12,5")),
         false},
        {"type designation too long", longType, false},
        {"creep state not a number", Creep(QStringLiteral("2,0")), true},
        {"creep state out of range", Creep(QStringLiteral("300")), true},
        {"power factor text too long", Result(QStringLiteral("0.12345678"), QStringLiteral("L")),
         true},
    };
    for (const Case& c : cases) {
        store->Reset();
        if (c.afterMeter) {
            ASSERT_TRUE(store->StoreRecord(Meter(QStringLiteral("9"), QStringLiteral("9"))));
        }
        const int tip = Count("TSTip"), data = Count("TSData"), results = Count("TSResult");
        EXPECT_FALSE(store->StoreRecord(c.record)) << c.name;
        EXPECT_FALSE(store->LastError().isEmpty()) << c.name;
        EXPECT_EQ(Count("TSTip"), tip) << c.name;
        EXPECT_EQ(Count("TSData"), data) << c.name;
        EXPECT_EQ(Count("TSResult"), results) << c.name;
        EXPECT_EQ(dm->ADOSinchroData->GetState(), DataSet::State::Browse) << c.name;
    }
    store->Reset();
    EXPECT_FALSE(store->StoreRecord(cases[0].record));
    EXPECT_EQ(store->LastError(), QStringLiteral("«12,5» не является числом."));
}

TEST(BufferStoreRules, ABlankIdentificationIsMarkedOnItsOwnRecord)
{
    DeviceRecord values;
    bool incomplete = false;
    const QByteArray blank = QByteArray("/\x02"
                                        "A(    )T(T1)N(7)P(1600)D(15/06/07)E(1)\x03") +
                             '\0' + "\r\n";
    FrameCodec::ParseRecord(blank, values, incomplete);
    EXPECT_TRUE(values.BlankIdent);
    EXPECT_TRUE(incomplete);
    values.Clear();
    EXPECT_FALSE(values.BlankIdent);
    FrameCodec::ParseRecord(QByteArray("/\x02U(230)I(5)S(0.1)\x03") + '\0' + "\r\n", values,
                            incomplete);
    EXPECT_FALSE(values.BlankIdent) << "a result record carries no identification";
}
