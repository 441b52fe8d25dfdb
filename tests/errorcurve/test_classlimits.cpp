// Power-factor texts sorted into loads, and the class-limit table looked up by current and load.
#include "errorcurve/classlimits.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{

TEST(LoadKindOf, ReadsTheStoredPowerFactorTexts)
{
    struct Case {
        const char* text;
        LoadKind kind;
    };
    const Case cases[] = {
        {"1.00", LoadKind::Unity},
        {"1", LoadKind::Unity},
        {"1.00/L", LoadKind::Unity},
        {"-1.00", LoadKind::Unity},
        {"0.5/L", LoadKind::Reduced},
        {"0.5", LoadKind::Reduced},
        {"0,5/L", LoadKind::Reduced},
        {" 0.5 / l ", LoadKind::Reduced},
        {"0.8/C", LoadKind::Reduced},
        {"0.8", LoadKind::Reduced},
        {"0.50/C", LoadKind::LowCapacitive},
        {"0.25/L", LoadKind::LowInductive},
        {"0.8/L", LoadKind::Other},
        {"0.25/C", LoadKind::Other},
        {"0.5/X", LoadKind::Other},
        {"0.6/L", LoadKind::Other},
        {"", LoadKind::Other},
        {"abc", LoadKind::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadKindOf(QString::fromUtf8(c.text)), c.kind) << c.text;
    // Marks typed in Russian letters: И inductive, С and Е capacitive.
    EXPECT_EQ(LoadKindOf(QStringLiteral("0.5/И")), LoadKind::Reduced);
    EXPECT_EQ(LoadKindOf(QStringLiteral("0.8/С")), LoadKind::Reduced);
    EXPECT_EQ(LoadKindOf(QStringLiteral("0.5/Е")), LoadKind::LowCapacitive);
}

TEST(ClassLimits, CoversClassesHalfSOneAndTwoOnly)
{
    ASSERT_TRUE(ClassLimits::ForClass(0.5));
    EXPECT_EQ(ClassLimits::ForClass(0.5)->Name(), QStringLiteral("0.5S"));
    EXPECT_EQ(ClassLimits::ForClass(1)->Name(), QStringLiteral("1"));
    EXPECT_EQ(ClassLimits::ForClass(2.0)->Name(), QStringLiteral("2"));
    for (double other : {0.2, 1.5, 2.5, 0.0, -1.0})
        EXPECT_FALSE(ClassLimits::ForClass(other)) << other;
}

TEST(ClassLimits, LimitByCurrentRatioAndLoad)
{
    const std::optional<double> none;
    struct Case {
        double classT;
        LoadKind kind;
        double ratio;
        std::optional<double> limit;
    };
    const Case cases[] = {
        // Class 1, unity: nothing below 0.05 Ib, 1.5 % up to 0.1 Ib, then 1 % without end.
        {1, LoadKind::Unity, 0.04, none},
        {1, LoadKind::Unity, 0.05, 1.5},
        {1, LoadKind::Unity, 0.0999, 1.5},
        {1, LoadKind::Unity, 0.1, 1.0},
        {1, LoadKind::Unity, 0.3 / 3.0, 1.0}, // a measured 0.3 A of 3 A lands on the boundary
        {1, LoadKind::Unity, 0.25 / 5.0, 1.5},
        {1, LoadKind::Unity, 40, 1.0},
        // Class 1, 0.5 L and 0.8 C.
        {1, LoadKind::Reduced, 0.05, none},
        {1, LoadKind::Reduced, 0.1, 1.5},
        {1, LoadKind::Reduced, 0.2, 1.0},
        // Class 1, the rows on request: 0.2 Ib to Ib inclusive.
        {1, LoadKind::LowInductive, 0.19, none},
        {1, LoadKind::LowInductive, 0.2, 3.5},
        {1, LoadKind::LowInductive, 1.0, 3.5},
        {1, LoadKind::LowInductive, 1.01, none},
        {1, LoadKind::LowCapacitive, 0.5, 2.5},
        {1, LoadKind::Other, 1.0, none},
        // Class 2.
        {2, LoadKind::Unity, 0.05, 2.5},
        {2, LoadKind::Unity, 0.1, 2.0},
        {2, LoadKind::Reduced, 0.15, 2.5},
        {2, LoadKind::Reduced, 2.0, 2.0},
        {2, LoadKind::LowInductive, 0.5, none},
        {2, LoadKind::LowCapacitive, 0.5, none},
        // Class 0.5S, transformer-operated: from 0.01 In.
        {0.5, LoadKind::Unity, 0.009, none},
        {0.5, LoadKind::Unity, 0.01, 1.0},
        {0.5, LoadKind::Unity, 0.05, 0.5},
        {0.5, LoadKind::Reduced, 0.01, none},
        {0.5, LoadKind::Reduced, 0.02, 1.0},
        {0.5, LoadKind::Reduced, 0.1, 0.6},
        {0.5, LoadKind::LowCapacitive, 1.0, 1.0},
        {0.5, LoadKind::LowInductive, 1.2, none},
    };
    for (const Case& c : cases) {
        const std::optional<ClassLimits> limits = ClassLimits::ForClass(c.classT);
        ASSERT_TRUE(limits);
        EXPECT_EQ(limits->Limit(c.kind, c.ratio), c.limit)
            << "class " << c.classT << " kind " << static_cast<int>(c.kind) << " ratio " << c.ratio;
    }
}

TEST(ClassLimits, StepsOfALoadRunFromTheLowestCurrent)
{
    const QList<LimitStep> steps = ClassLimits::ForClass(1)->Steps(LoadKind::Reduced);
    ASSERT_EQ(steps.size(), 2);
    EXPECT_DOUBLE_EQ(steps[0].from, 0.1);
    EXPECT_DOUBLE_EQ(steps[0].to, 0.2);
    EXPECT_DOUBLE_EQ(steps[1].from, 0.2);
    EXPECT_TRUE(std::isinf(steps[1].to));
    EXPECT_TRUE(ClassLimits::ForClass(2)->Steps(LoadKind::LowInductive).isEmpty());
    EXPECT_TRUE(ClassLimits::ForClass(1)->Steps(LoadKind::Other).isEmpty());
}

} // namespace
