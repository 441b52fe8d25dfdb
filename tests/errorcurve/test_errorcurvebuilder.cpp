// The error curve of a verification: states, series per power factor, limits, overflow, texts.
#include "core/ulang.h"
#include "core/utools.h"
#include "errorcurve/curvetexts.h"
#include "errorcurve/errorcurvebuilder.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace
{

// A class-1 meter of 5 A nominal current; results are added by the tests.
VerificationData ArchiveVerification(double classT = 1, QVariant inom = 5.0)
{
    VerificationData d;
    d.present = true;
    d.type = QStringLiteral("СО-И446  ");
    d.number = QStringLiteral("012345");
    d.date = QDateTime(QDate(2024, 3, 12), QTime(0, 0));
    d.samohod = 1;
    d.reading = 1234.5;
    d.accuracyClass = classT;
    d.nominalCurrent = inom;
    return d;
}

ResultRow Result(double current, const char* pf, QVariant error)
{
    return {230.0, current, 230.0 * current, QString::fromLatin1(pf), error};
}

QList<double> Currents(const CurveSeries& s)
{
    QList<double> out;
    for (const CurvePoint& p : s.points)
        out << p.current;
    return out;
}

TEST(ErrorCurveBuilder, ClearStatesInsteadOfAnEmptyChart)
{
    VerificationData none;
    EXPECT_EQ(ErrorCurveBuilder::Build(none).state, CurveState::NoVerification);
    EXPECT_EQ(ErrorCurveBuilder::Build(none).message, ULang::CurveNoVerification);

    VerificationData d = ArchiveVerification();
    ErrorCurve c = ErrorCurveBuilder::Build(d);
    EXPECT_EQ(c.state, CurveState::NoResults);
    EXPECT_EQ(c.message, ULang::CurveNoResults);
    EXPECT_FALSE(c.caption.isEmpty());

    // One drawable point: its values are said, not drawn; the unusable result is counted.
    d.results = {Result(2.5, "1.00", 0.12), Result(0, "1.00", 0.3)};
    c = ErrorCurveBuilder::Build(d);
    EXPECT_EQ(c.state, CurveState::SinglePoint);
    EXPECT_TRUE(c.message.startsWith(ULang::CurveSinglePoint));
    EXPECT_TRUE(c.message.contains(QStringLiteral("I = 2.5 А"))) << c.message.toStdString();
    EXPECT_TRUE(c.series.isEmpty());
    EXPECT_TRUE(c.note.contains(ULang::CurveSkipped.arg(1)));

    // Results without a current above zero or without an error cannot be drawn at all.
    d.results = {Result(0, "1.00", 0.1),
                 Result(-1, "1.00", 0.1),
                 Result(1, "1.00", QVariant()),
                 {230.0, QVariant(), 1.0, QStringLiteral("1.00"), 0.2}};
    c = ErrorCurveBuilder::Build(d);
    EXPECT_EQ(c.state, CurveState::NoDrawablePoints);
    EXPECT_EQ(c.message, ULang::CurveNothingDrawable);
    EXPECT_TRUE(c.note.contains(ULang::CurveSkipped.arg(4)));
}

TEST(ErrorCurveBuilder, OneSeriesPerPowerFactorTextJoinedInCurrentOrder)
{
    VerificationData d = ArchiveVerification();
    d.results = {Result(5, "0.5/L", 0.3),    Result(0.5, "1.00", 0.1), Result(10, "1.00", 0.2),
                 Result(0.25, "1.00", -0.1), Result(1, "0.5/L", 0.4),  Result(2.5, "0.8/C", 0)};
    const ErrorCurve c = ErrorCurveBuilder::Build(d);
    ASSERT_EQ(c.state, CurveState::Curve);
    ASSERT_EQ(c.series.size(), 3);
    // Series in the order their texts first occur; points by current, keeping their result row.
    EXPECT_EQ(c.series[0].powerFactor, QStringLiteral("0.5/L"));
    EXPECT_EQ(c.series[1].powerFactor, QStringLiteral("1.00"));
    EXPECT_EQ(c.series[2].powerFactor, QStringLiteral("0.8/C"));
    EXPECT_EQ(Currents(c.series[0]), QList<double>({1, 5}));
    EXPECT_EQ(Currents(c.series[1]), QList<double>({0.25, 0.5, 10}));
    EXPECT_EQ(c.series[1].points[0].row, 3);
    EXPECT_EQ(c.pointCount, 6);
    EXPECT_LT(c.currentAxis.min, 0.25);
    EXPECT_GT(c.currentAxis.max, 10);
    // 0.5 L and 0.8 C share one band; unity has its own.
    ASSERT_EQ(c.bands.size(), 2);
    EXPECT_EQ(c.bands[0].kind, LoadKind::Reduced);
    EXPECT_EQ(c.bands[0].label, ULang::CurveBand.arg("1", "0.5 L, 0.8 C"));
    EXPECT_EQ(c.bands[1].kind, LoadKind::Unity);
}

TEST(ErrorCurveBuilder, PointsBeyondTheClassLimitsAreFlagged)
{
    VerificationData d = ArchiveVerification(1, 5.0);
    struct Case {
        double current;
        const char* pf;
        double error;
        bool beyond;
        double limit; // 0: none
    };
    const Case cases[] = {
        {0.25, "1.00", 1.4, false, 1.5}, // 5 % of Ib: 1.5 %
        {0.25, "1.00", -1.6, true, 1.5},
        {0.5, "1.00", 1.0, false, 1.0}, // exactly on the limit is within
        {0.5, "1.00", 1.2, true, 1.0},
        {0.25, "0.5/L", 5.0, false, 0},  // below 10 % of Ib no limit is set for 0.5 L
        {0.75, "0.5/L", 1.6, true, 1.5}, // 15 % of Ib
        {1.0, "0.5/L", 1.2, true, 1.0},  // from 20 % of Ib: 1 %
        {0.1, "1.00", 9.0, false, 0},    // 2 % of Ib: not judged
    };
    for (const Case& k : cases)
        d.results.append(Result(k.current, k.pf, k.error));
    const ErrorCurve c = ErrorCurveBuilder::Build(d);
    ASSERT_EQ(c.state, CurveState::Curve);
    int beyond = 0;
    for (const CurveSeries& s : c.series) {
        for (const CurvePoint& p : s.points) {
            const Case& k = cases[p.row];
            EXPECT_EQ(p.beyondLimit, k.beyond) << "row " << p.row;
            EXPECT_EQ(p.limit.value_or(0), k.limit) << "row " << p.row;
            beyond += k.beyond ? 1 : 0;
        }
    }
    EXPECT_EQ(c.beyondLimitCount, beyond);
    EXPECT_TRUE(c.note.contains(ULang::CurveBeyondLimits.arg(beyond).arg(8)));
    // The error axis shows the band and every error.
    EXPECT_LE(c.errorAxis.min, -1.6);
    EXPECT_GE(c.errorAxis.max, 9.0);
}

TEST(ErrorCurveBuilder, ErrorsBeyondAThousandSitAtTheAxisEdge)
{
    VerificationData d = ArchiveVerification();
    d.results = {Result(0.5, "1.00", 0.3), Result(1, "1.00", 1500), Result(2.5, "1.00", -2000),
                 Result(5, "1.00", 1000)};
    ErrorCurve c = ErrorCurveBuilder::Build(d);
    ASSERT_EQ(c.state, CurveState::Curve);
    const QList<CurvePoint>& p = c.series[0].points;
    EXPECT_EQ(p[1].overflow, 1);
    EXPECT_EQ(p[1].plotError, c.errorAxis.max);
    EXPECT_TRUE(p[1].beyondLimit);
    EXPECT_EQ(p[2].overflow, -1);
    EXPECT_EQ(p[2].plotError, c.errorAxis.min);
    // Exactly 1000 % is a value like any other and stretches the axis.
    EXPECT_EQ(p[3].overflow, 0);
    EXPECT_EQ(p[3].plotError, 1000);
    EXPECT_GE(c.errorAxis.max, 1000);

    // Without the 1000 % point the overflowing ones do not stretch the scale.
    d.results.removeLast();
    c = ErrorCurveBuilder::Build(d);
    EXPECT_LT(c.errorAxis.max, 10);
    EXPECT_GT(c.errorAxis.min, -10);
    EXPECT_EQ(c.series[0].points[1].plotError, c.errorAxis.max);
}

TEST(ErrorCurveBuilder, BandsOnlyForArchiveMetersOfAKnownClassAndCurrent)
{
    struct Case {
        const char* name;
        QVariant classT;
        QVariant inom;
        int bands;
        QString note;
    };
    const Case cases[] = {
        {"class 2", 2.0, 5.0, 1, {}},
        {"buffer meter", QVariant(), QVariant(), 0, {}},
        {"class 1.5", 1.5, 5.0, 0, ULang::CurveClassUnknown.arg("1.5")},
        {"no nominal current", 1.0, QVariant(), 0, ULang::CurveNoNominalCurrent},
        {"nominal current 0", 1.0, 0.0, 0, ULang::CurveNoNominalCurrent},
    };
    for (const Case& k : cases) {
        VerificationData d = ArchiveVerification();
        d.accuracyClass = k.classT;
        d.nominalCurrent = k.inom;
        d.results = {Result(0.5, "1.00", 3), Result(5, "1.00", 0.1)};
        const ErrorCurve c = ErrorCurveBuilder::Build(d);
        EXPECT_EQ(c.bands.size(), k.bands) << k.name;
        if (k.bands == 0) {
            EXPECT_EQ(c.beyondLimitCount, 0) << k.name;
            EXPECT_EQ(c.note, k.note) << k.name;
        } else {
            EXPECT_EQ(c.beyondLimitCount, 1) << k.name; // 3 % beyond 2 %
        }
    }
}

TEST(ErrorCurveBuilder, BandStepsAreCutToTheCurrentAxis)
{
    VerificationData d = ArchiveVerification(1, 5.0);
    d.results = {Result(0.5, "1.00", 0.1), Result(2.5, "1.00", 0.2)};
    const ErrorCurve c = ErrorCurveBuilder::Build(d);
    ASSERT_EQ(c.bands.size(), 1);
    const QList<BandStep>& steps = c.bands[0].steps;
    // The axis starts above 0.25 A (5 % of Ib), so the 1.5 % row from 0.25 A to 0.5 A is cut.
    ASSERT_GE(steps.size(), 1);
    EXPECT_DOUBLE_EQ(steps.front().from, std::max(0.25, c.currentAxis.min));
    EXPECT_DOUBLE_EQ(steps.back().to, c.currentAxis.max);
    EXPECT_DOUBLE_EQ(steps.back().limit, 1.0);
}

TEST(CurveTexts, CaptionAndPointValues)
{
    VerificationData d = ArchiveVerification();
    EXPECT_EQ(CurveTexts::Caption(d),
              QStringLiteral("СО-И446 № 012345, поверка 12/03/24, самоход: нет, показание "
                             "счетчика: 1234.5"));
    d.samohod = 99;
    d.reading = QVariant();
    d.date = QVariant();
    d.number.clear();
    EXPECT_EQ(CurveTexts::Caption(d),
              QStringLiteral("СО-И446 № -, поверка -, самоход: не проводился, показание "
                             "счетчика: -"));
    EXPECT_EQ(CurveTexts::PointHint(Result(2.5, "0.5/L", 0.125)),
              QStringLiteral("U = 230 В, I = 2.5 А, P = 575 Вт, Км 0.5/L, погрешность 0.13 %"));
    EXPECT_EQ(CurveTexts::PointHint(Result(1, "1.00", -1500)),
              QStringLiteral("U = 230 В, I = 1 А, P = 230 Вт, Км 1.00, погрешность >1000 %"));
}

} // namespace
