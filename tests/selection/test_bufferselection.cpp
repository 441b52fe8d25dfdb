// The buffer selection against hand-written queries over a small archive, and the one-transaction
// rewrite of the buffer's meter list.
#include "selection/bufferselection.h"

#include "selection/archivetrees.h"
#include "support/selectionarchive.h"

#include <functional>

namespace
{

using Choices = BufferSelectionChoices;

const char* const Meters = "SELECT DISTINCT T.PTipCH, T.PReductRate, I.PNumber, I.PAddress FROM "
                           "TTip T JOIN TIdent I ON I.PSecIndex = T.PIndex";
const char* const MetersWithResults =
    "SELECT DISTINCT T.PTipCH, T.PReductRate, I.PNumber, I.PAddress FROM TTip T JOIN TIdent I ON "
    "I.PSecIndex = T.PIndex JOIN TData D ON D.PSecIndex = I.PIndex JOIN TResult R ON "
    "R.PSecIndex = D.PIndex";

struct BufferCase {
    const char* name;
    std::vector<qint32> checkedTypes;  // clicked in the tree
    std::vector<qint32> checkedMeters; // clicked in the tree
    std::function<void(Choices&)> conditions;
    QString expected;
    int rows;
};

void PrintTo(const BufferCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<BufferCase>& c)
{
    return c.param.name;
}

QString Sql(const char* base, const char* where = "")
{
    return QString::fromUtf8(base) + QString::fromUtf8(where);
}

auto NoConditions = [](Choices&) {};

void Dates(Choices& c, Choices::Date choice, QDate first, QDate second = {})
{
    c.byDate = true;
    c.date = choice;
    c.dateBefore = c.dateAfter = c.dateFrom = first;
    c.dateTo = second;
}

void Errors(Choices& c, Choices::Error choice, const char* first, const char* second = "")
{
    c.byError = true;
    c.error = choice;
    c.errorLess = c.errorGreater = c.errorFrom = QString::fromUtf8(first);
    c.errorTo = QString::fromUtf8(second);
}

const QDate Mar15(2006, 3, 15), Mar16(2006, 3, 16), Mar17(2006, 3, 17);

class BufferSelectionTest : public SelectionArchive
{
  protected:
    CheckTree Tree(const std::vector<qint32>& types, const std::vector<qint32>& meters)
    {
        CheckTree tree = ArchiveTrees::MeterTree(dm->ConnectionName());
        auto click = [&tree](int level, qint32 key) {
            for (int i = 0; i < tree.Count(level); ++i) {
                if (tree.Key(level, i) == key) {
                    tree.Toggle(level, i);
                    return;
                }
            }
            ADD_FAILURE() << "no node " << key;
        };
        for (qint32 k : types)
            click(0, k);
        for (qint32 k : meters)
            click(1, k);
        return tree;
    }
    QStringList Buffer()
    {
        return SortedRows(
            QStringLiteral("SELECT PTipCH, PReductRate, PNumber, PAddress FROM TSTip"));
    }
    void FillOldBuffer()
    {
        Exec(QStringLiteral("INSERT INTO TSTip (PTipCH, PReductRate, PNumber, PAddress) VALUES "
                            "('СТАРЫЙ', 1, '1', 'a'), ('СТАРЫЙ', 1, '2', 'b')"));
        dm->ADOSinchro->Requery();
    }
};

class BufferCaseTest : public BufferSelectionTest, public ::testing::WithParamInterface<BufferCase>
{
};

TEST_P(BufferCaseTest, FillsTheBufferWithTheRowsOfTheHandWrittenQuery)
{
    const BufferCase& c = GetParam();
    FillOldBuffer();
    Choices choices;
    choices.byTree = !c.checkedTypes.empty() || !c.checkedMeters.empty();
    c.conditions(choices);
    ASSERT_TRUE(BufferSelection::Run(*dm, choices, Tree(c.checkedTypes, c.checkedMeters)));
    QStringList expected = SortedRows(c.expected);
    EXPECT_EQ(Buffer(), expected);
    EXPECT_EQ(expected.size(), c.rows) << "the fixture no longer shows what the case is about";
    EXPECT_TRUE(dm->ADOSinchro->Active());
    EXPECT_TRUE(dm->ADOSinchroResult->Active());
    EXPECT_EQ(dm->ADOSinchro->RecordCount(), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferCaseTest,
    ::testing::Values(
        BufferCase{"EveryMeterWithoutConditions", {}, {}, NoConditions, Sql(Meters), 4},
        BufferCase{"CheckedType", {1}, {}, NoConditions, Sql(Meters, " WHERE T.PIndex = 1"), 2},
        BufferCase{"CheckedMeterChecksItsType",
                   {},
                   {11},
                   NoConditions,
                   Sql(Meters, " WHERE I.PIndex = 11"),
                   1},
        BufferCase{"ResultsBeforeADay",
                   {},
                   {},
                   [](Choices& c) { Dates(c, Choices::Date::Before, Mar16); },
                   Sql(MetersWithResults, " WHERE R.PDateMeasure < '2006-03-16'"),
                   1},
        BufferCase{"ResultsAfterADayIncludeItsLaterHours",
                   {},
                   {},
                   [](Choices& c) { Dates(c, Choices::Date::After, Mar17); },
                   Sql(MetersWithResults, " WHERE I.PIndex = 20"),
                   1},
        BufferCase{"DateRangeExcludesBothDays",
                   {},
                   {},
                   [](Choices& c) { Dates(c, Choices::Date::Range, Mar15, Mar17); },
                   Sql(MetersWithResults, " WHERE R.PDateMeasure = '2006-03-16'"),
                   1},
        BufferCase{"ErrorRangeExcludesBothBounds",
                   {},
                   {},
                   [](Choices& c) { Errors(c, Choices::Error::Range, "1", "2"); },
                   Sql(MetersWithResults, " WHERE R.PMistakeMeasure = 1.5"),
                   1},
        BufferCase{"ErrorLessTypedWithAComma",
                   {},
                   {},
                   [](Choices& c) { Errors(c, Choices::Error::Less, "0,5"); },
                   Sql(MetersWithResults, " WHERE R.PMistakeMeasure < 0.5"),
                   1},
        BufferCase{"ErrorGreaterInCheckedTypes",
                   {1, 2},
                   {},
                   [](Choices& c) { Errors(c, Choices::Error::Greater, "1.9"); },
                   Sql(MetersWithResults, " WHERE R.PMistakeMeasure > 1.9"),
                   2},
        BufferCase{"CheckedTypeWithResultsOnly",
                   {1},
                   {},
                   [](Choices& c) { Errors(c, Choices::Error::Greater, "-100"); },
                   Sql(MetersWithResults, " WHERE T.PIndex = 1"),
                   1}),
    CaseName);

TEST_F(BufferSelectionTest, TreeChosenWithNothingCheckedTakesEveryMeter)
{
    Choices c;
    c.byTree = true;
    ASSERT_TRUE(BufferSelection::Run(*dm, c, Tree({}, {})));
    EXPECT_EQ(Buffer(), SortedRows(QString::fromUtf8(Meters)));
}

TEST_F(BufferSelectionTest, EqualMetersGiveOneBufferRow)
{
    Exec(QStringLiteral("INSERT INTO TIdent VALUES (12, 1, '101', 'Другой', 1999, 'ул. Мира 1')"));
    ASSERT_TRUE(BufferSelection::Run(*dm, Choices(), Tree({}, {})));
    EXPECT_EQ(Buffer().filter(QStringLiteral("|101|")).size(), 1);
}

TEST_F(BufferSelectionTest, RefusedInsertKeepsTheOldMeterList)
{
    FillOldBuffer();
    const QStringList old = Buffer();
    Exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON TSTip WHEN NEW.PNumber = "
                        "'201' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_FALSE(BufferSelection::Run(*dm, Choices(), Tree({}, {})));
    EXPECT_EQ(Buffer(), old);
    EXPECT_TRUE(dm->ADOSinchro->Active());
    EXPECT_EQ(dm->ADOSinchro->RecordCount(), 2);
}

TEST_F(BufferSelectionTest, EmptyOrUnreadableErrorBoundChangesNothing)
{
    FillOldBuffer();
    const QStringList old = Buffer();
    for (const char* text : {"", "99999999999"}) {
        Choices c;
        Errors(c, Choices::Error::Less, text);
        EXPECT_FALSE(BufferSelection::Run(*dm, c, Tree({}, {}))) << text;
        EXPECT_EQ(Buffer(), old);
        EXPECT_TRUE(dm->ADOSinchro->Active());
    }
}

TEST_F(BufferSelectionTest, EveryMeterOfALargeTreeChecked)
{
    Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                        "3000) INSERT INTO TIdent (PIndex, PSecIndex, PNumber, PMaker, "
                        "PYearOutput, PAddress) SELECT 1000 + i, 2, 'N' || i, 'M', 2000, 'A' "
                        "FROM n"));
    CheckTree tree = ArchiveTrees::MeterTree(dm->ConnectionName());
    tree.SetAll(true);
    Choices c;
    c.byTree = true;
    ASSERT_TRUE(BufferSelection::Run(*dm, c, tree));
    EXPECT_EQ(dm->ADOSinchro->RecordCount(), 3004);
}

} // namespace
