// The error curve's source follows the current verification of the archive and of the buffer.
#include "errorcurve/curvesource.h"
#include "support/transferfixture.h"

#include <QSignalSpy>

namespace
{

class CurveSourceTest : public TransferFixture
{
  protected:
    // A verification of the current archive meter with results (current, power factor, error).
    void AddVerification(const QDate& date, int samohod,
                         const QList<std::tuple<double, const char*, double>>& results)
    {
        DataSet& d = *dm->ADOData;
        ASSERT_TRUE(d.Append());
        d.FieldByName(QStringLiteral("PSamohod")).SetValue(samohod);
        d.FieldByName(QStringLiteral("POrmix")).SetValue(77.5);
        d.FieldByName(QStringLiteral("PDateMeasure")).SetValue(QDateTime(date, QTime(0, 0)));
        d.FieldByName(QStringLiteral("PUSamohod")).SetValue(264.5);
        ASSERT_TRUE(d.Post());
        DataSet& r = *dm->ADOResult;
        for (const auto& [current, pf, error] : results) {
            ASSERT_TRUE(r.Append());
            r.FieldByName(QStringLiteral("PUMeasure")).SetValue(230.0);
            r.FieldByName(QStringLiteral("PIMeasure")).SetValue(current);
            r.FieldByName(QStringLiteral("PPowerMeasure")).SetValue(230.0 * current);
            r.FieldByName(QStringLiteral("PFPMeasure")).SetValue(QString::fromLatin1(pf));
            r.FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(error);
            ASSERT_TRUE(r.Post());
        }
    }
};

TEST_F(CurveSourceTest, ArchiveSourceReadsTheCurrentVerificationAndSignalsMoves)
{
    ASSERT_TRUE(dm->AddTip(QStringLiteral("СО-И446"), QStringLiteral("220"), QStringLiteral("10"),
                           QStringLiteral("800"), QStringLiteral("1")));
    AddMeter(QStringLiteral("012345"), QStringLiteral("ул. Мира 1"));
    const std::unique_ptr<CurveSource> source = CurveSource::Archive(*dm);
    EXPECT_FALSE(source->Read().present); // a meter without verifications

    AddVerification(QDate(2024, 3, 12), 2, {{0.5, "1.00", 0.1}, {5, "0.5/L", -0.2}});
    AddVerification(QDate(2024, 4, 1), 99, {{1, "1.00", 0.3}});
    QSignalSpy changed(source.get(), &CurveSource::Changed);
    ASSERT_TRUE(dm->ADOData->First());
    EXPECT_GE(changed.count(), 1);

    VerificationData d = source->Read();
    ASSERT_TRUE(d.present);
    EXPECT_EQ(d.type, QStringLiteral("СО-И446"));
    EXPECT_EQ(d.number, QStringLiteral("012345"));
    EXPECT_EQ(d.accuracyClass.toDouble(), 1.0);
    EXPECT_EQ(d.nominalCurrent.toDouble(), 10.0);
    EXPECT_EQ(d.date.toDateTime().date(), QDate(2024, 3, 12));
    EXPECT_EQ(d.samohod.toInt(), 2);
    EXPECT_EQ(d.reading.toDouble(), 77.5);
    ASSERT_EQ(d.results.size(), 2);
    EXPECT_EQ(d.results[1].current.toDouble(), 5.0);
    EXPECT_EQ(d.results[1].powerFactor, QStringLiteral("0.5/L"));
    EXPECT_EQ(d.results[1].error.toDouble(), -0.2);
    // Reading moves no view.
    EXPECT_EQ(dm->ADOResult->RecNo(), 0);

    changed.clear();
    ASSERT_TRUE(dm->ADOData->Next());
    EXPECT_GE(changed.count(), 1);
    d = source->Read();
    EXPECT_EQ(d.samohod.toInt(), 99);
    ASSERT_EQ(d.results.size(), 1);
    EXPECT_EQ(d.results[0].current.toDouble(), 1.0);
}

TEST_F(CurveSourceTest, BufferSourceReadsBufferMetersWithoutAClass)
{
    AddBufferMeter(QStringLiteral("ЦЭ6803"), 1600, QStringLiteral("77"), QStringLiteral("a"));
    AddBufferVerification(QDate(2024, 5, 6), 12.5, 3, 1);
    const std::unique_ptr<CurveSource> source = CurveSource::Buffer(*dm);
    const VerificationData d = source->Read();
    ASSERT_TRUE(d.present);
    EXPECT_EQ(d.type, QStringLiteral("ЦЭ6803"));
    EXPECT_EQ(d.number, QStringLiteral("77"));
    EXPECT_TRUE(d.accuracyClass.isNull());
    EXPECT_TRUE(d.nominalCurrent.isNull());
    EXPECT_EQ(d.results.size(), 3);

    QSignalSpy changed(source.get(), &CurveSource::Changed);
    dm->ADOSinchroResult->First();
    ASSERT_TRUE(dm->ADOSinchroResult->Edit());
    dm->ADOSinchroResult->FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(1500.0);
    ASSERT_TRUE(dm->ADOSinchroResult->Post());
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(source->Read().results[0].error.toDouble(), 1500.0);
}

} // namespace
