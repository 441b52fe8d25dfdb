// Check-mark rules of the selection trees: clicks on marks, select all, the checked paths, and the
// spans that tell views what changed.
#include "selection/checktree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace
{

struct Click {
    int level;
    qint32 key;
};

// Types 1 and 2; meters 10, 11 of type 1 and 20 of type 2; verifications 100, 101 (meter 10),
// 110 (meter 11) and 200 (meter 20). Keys are unique over the levels.
CheckTree Fixture(int depth)
{
    CheckTree t(depth);
    auto add = [&](int level, qint32 key) {
        if (level < depth)
            t.Add(level, key, QString::number(key));
    };
    add(0, 1);
    add(1, 10);
    add(2, 100);
    add(2, 101);
    add(1, 11);
    add(2, 110);
    add(0, 2);
    add(1, 20);
    add(2, 200);
    return t;
}

int IndexOfKey(const CheckTree& t, int level, qint32 key)
{
    for (int i = 0; i < t.Count(level); ++i) {
        if (t.Key(level, i) == key)
            return i;
    }
    ADD_FAILURE() << "no key " << key << " on level " << level;
    return 0;
}

std::set<qint32> CheckedKeys(const CheckTree& t)
{
    std::set<qint32> keys;
    for (int level = 0; level < t.Depth(); ++level) {
        for (qint32 k : t.CheckedKeys(level))
            keys.insert(k);
    }
    return keys;
}

// Every node whose mark moved must lie in a reported span, or a view would show a stale mark.
void ExpectSpansCover(const CheckTree& before, const CheckTree& after,
                      const std::vector<CheckTree::Span>& spans)
{
    for (int level = 0; level < after.Depth(); ++level) {
        for (int i = 0; i < after.Count(level); ++i) {
            if (before.Checked(level, i) == after.Checked(level, i))
                continue;
            bool covered = std::any_of(spans.begin(), spans.end(), [&](const CheckTree::Span& s) {
                return s.level == level && s.first <= i && i <= s.last;
            });
            EXPECT_TRUE(covered) << "level " << level << " node " << i << " not reported";
        }
    }
    for (const CheckTree::Span& s : spans) {
        if (s.level > 0) { // a span lies under one parent
            EXPECT_EQ(after.Parent(s.level, s.first), after.Parent(s.level, s.last));
        }
    }
}

struct RuleCase {
    const char* name;
    int depth;
    bool startAllChecked;
    std::vector<Click> clicks;
    std::set<qint32> checked;
};

void PrintTo(const RuleCase& c, std::ostream* os)
{
    *os << c.name;
}

class CheckRule : public ::testing::TestWithParam<RuleCase>
{
};

std::string CaseName(const ::testing::TestParamInfo<RuleCase>& c)
{
    return c.param.name;
}

TEST_P(CheckRule, ClicksMoveParentsAndChildren)
{
    const RuleCase& c = GetParam();
    CheckTree t = Fixture(c.depth);
    if (c.startAllChecked)
        t.SetAll(true);
    for (const Click& click : c.clicks) {
        CheckTree before = t;
        auto spans = t.Toggle(click.level, IndexOfKey(t, click.level, click.key));
        ExpectSpansCover(before, t, spans);
    }
    EXPECT_EQ(CheckedKeys(t), c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeLevels, CheckRule,
    ::testing::Values(
        RuleCase{"TypeChecksEverythingBelow", 3, false, {{0, 1}}, {1, 10, 100, 101, 11, 110}},
        RuleCase{"TypeAgainUnchecksEverythingBelow", 3, false, {{0, 1}, {0, 1}}, {}},
        RuleCase{"VerificationChecksMeterAndType", 3, false, {{2, 101}}, {1, 10, 101}},
        RuleCase{"LastVerificationUnchecksMeterAndType", 3, false, {{2, 101}, {2, 101}}, {}},
        RuleCase{"MeterStaysWhileAVerificationIsChecked",
                 3,
                 false,
                 {{0, 1}, {2, 101}},
                 {1, 10, 100, 11, 110}},
        RuleCase{
            "TypeStaysWhileAMeterIsChecked", 3, false, {{0, 1}, {2, 100}, {2, 101}}, {1, 11, 110}},
        RuleCase{"MeterChecksTypeAndItsVerifications", 3, false, {{1, 11}}, {1, 11, 110}},
        RuleCase{"MeterUncheckLeavesTypeWithOtherMeter", 3, false, {{0, 1}, {1, 10}}, {1, 11, 110}},
        RuleCase{"LastMeterUnchecksType", 3, false, {{0, 1}, {1, 10}, {1, 11}}, {}},
        RuleCase{"PartlyCheckedTypeIsUncheckedByItsClick", 3, false, {{2, 100}, {0, 1}}, {}},
        RuleCase{"OtherTypeIsLeftAlone", 3, true, {{0, 2}}, {1, 10, 100, 101, 11, 110}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    TwoLevels, CheckRule,
    ::testing::Values(
        RuleCase{"MeterChecksType", 2, false, {{1, 10}}, {1, 10}},
        RuleCase{"OnlyMeterUncheckedUnchecksType", 2, false, {{1, 10}, {1, 10}}, {}},
        RuleCase{"TypeChecksItsMeters", 2, false, {{0, 1}}, {1, 10, 11}},
        RuleCase{"TypeStaysWithACheckedMeter", 2, false, {{0, 1}, {1, 10}}, {1, 11}},
        RuleCase{"LastCheckedMeterUnchecksType", 2, false, {{0, 1}, {1, 10}, {1, 11}}, {}},
        RuleCase{"CheckedTypeClickUnchecksAll", 2, false, {{1, 10}, {0, 1}}, {}},
        RuleCase{"AfterSelectAllATypeClickUnchecksItsMeters", 2, true, {{0, 1}}, {2, 20}}),
    CaseName);

TEST(CheckTree, BuildsRunsOfChildrenInOrder)
{
    CheckTree t = Fixture(3);
    EXPECT_EQ(t.NodeCount(), 9);
    EXPECT_EQ(t.Count(2), 4);
    int meter11 = IndexOfKey(t, 1, 11);
    EXPECT_EQ(t.Parent(1, meter11), 0);
    EXPECT_EQ(t.Row(1, meter11), 1);
    EXPECT_EQ(t.ChildCount(1, meter11), 1);
    EXPECT_EQ(t.Key(2, t.FirstChild(1, meter11)), 110);
    EXPECT_EQ(t.Row(2, IndexOfKey(t, 2, 200)), 0);
    EXPECT_EQ(t.Caption(2, 1).toString(), QStringLiteral("101"));

    CheckTree orphan(2);
    EXPECT_THROW(orphan.Add(1, 5, u"x"), std::logic_error);
}

TEST(CheckTree, CheckedPathsFollowCheckedNodesOnly)
{
    CheckTree t = Fixture(3);
    EXPECT_TRUE(t.CheckedPaths().empty());
    t.Toggle(0, 0);                     // type 1 with everything below
    t.Toggle(2, IndexOfKey(t, 2, 100)); // one verification off
    t.Toggle(2, IndexOfKey(t, 2, 200)); // type 2 through its verification
    EXPECT_EQ(t.CheckedPaths(), (std::vector<qint32>{1, 10, 101, 1, 11, 110, 2, 20, 200}));

    CheckTree two = Fixture(2);
    two.SetAll(true);
    two.Toggle(1, IndexOfKey(two, 1, 11));
    EXPECT_EQ(two.CheckedPaths(), (std::vector<qint32>{1, 10, 2, 20}));
    EXPECT_EQ(two.CheckedKeys(1), (std::vector<qint32>{10, 20}));
}

TEST(CheckTree, SelectAllAndDeselectAllReportEveryRun)
{
    for (bool checked : {true, false}) {
        CheckTree t = Fixture(3);
        if (!checked)
            t.SetAll(true);
        CheckTree before = t;
        auto spans = t.SetAll(checked);
        ExpectSpansCover(before, t, spans);
        EXPECT_EQ(CheckedKeys(t).size(), checked ? 9u : 0u);
    }
}

} // namespace
