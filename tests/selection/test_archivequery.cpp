// The query builder's statement against hand-written queries over a small archive: every table
// shape of the chosen columns, with and without the tree, date and error conditions.
#include "selection/archivequery.h"

#include "selection/archivetrees.h"
#include "selection/selectionkeys.h"
#include "support/selectionarchive.h"

#include <functional>

namespace
{

// The archive's four tables joined by their keys, for the hand-written queries.
const char* const All4 = "TTip T JOIN TIdent I ON I.PSecIndex = T.PIndex JOIN TData D ON "
                         "D.PSecIndex = I.PIndex JOIN TResult R ON R.PSecIndex = D.PIndex";
const char* const All3 =
    "TTip T JOIN TIdent I ON I.PSecIndex = T.PIndex JOIN TData D ON D.PSecIndex = I.PIndex";

struct QueryCase {
    const char* name;
    std::vector<const char*> columns;  // plain field names
    std::vector<qint32> verifications; // checked in the tree; empty: no selection by tree
    std::function<void(ArchiveQueryChoices&)> conditions;
    QString expected; // the hand-written query
    int rows;         // how many rows it gives on the fixture
};

void PrintTo(const QueryCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<QueryCase>& c)
{
    return c.param.name;
}

QString Sql(const char* text)
{
    return QString::fromUtf8(text)
        .replace(QStringLiteral("ALL4"), QLatin1String(All4))
        .replace(QStringLiteral("ALL3"), QLatin1String(All3));
}

ArchiveQueryChoices Columns(const std::vector<const char*>& names)
{
    ArchiveQueryChoices c;
    for (const char* name : names) {
        bool found = false;
        for (int i = 0; i < QueryColumnCount; ++i) {
            if (QueryColumns().at(i).fieldName == QLatin1String(name)) {
                c.columns.set(i);
                found = true;
            }
        }
        EXPECT_TRUE(found) << name;
    }
    return c;
}

void Date(ArchiveQueryChoices& c, DateChoice choice, QDate first, QDate second = {})
{
    c.byDate = true;
    c.date = choice;
    c.dateBefore = c.dateAfter = c.dateFrom = first;
    c.dateTo = second;
}

void Error(ArchiveQueryChoices& c, ErrorChoice choice, const char* first, const char* second = "")
{
    c.byError = true;
    c.error = choice;
    c.errorLess = c.errorGreater = c.errorFrom = c.errorCondition = QString::fromUtf8(first);
    c.errorTo = QString::fromUtf8(second);
}

void DateCondition(ArchiveQueryChoices& c, const char* minOrMax)
{
    c.byDate = true;
    c.date = DateChoice::Condition;
    c.dateCondition = QString::fromUtf8(minOrMax);
}

const QDate Mar14(2006, 3, 14), Mar15(2006, 3, 15), Mar16(2006, 3, 16), Mar17(2006, 3, 17),
    Mar18(2006, 3, 18);

auto None = [](ArchiveQueryChoices&) {};

class ArchiveQueryCase : public SelectionArchive, public ::testing::WithParamInterface<QueryCase>
{
  protected:
    // Checks the tree's verification nodes by a click on each.
    CheckTree TreeWith(const std::vector<qint32>& verifications)
    {
        CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
        for (qint32 key : verifications) {
            bool found = false;
            for (int i = 0; i < tree.Count(2); ++i) {
                if (tree.Key(2, i) == key) {
                    tree.Toggle(2, i);
                    found = true;
                }
            }
            EXPECT_TRUE(found) << "no verification " << key << " in the tree";
        }
        return tree;
    }
};

TEST_P(ArchiveQueryCase, GivesTheRowsOfTheHandWrittenQuery)
{
    const QueryCase& c = GetParam();
    ArchiveQueryChoices choices = Columns(c.columns);
    choices.byTree = !c.verifications.empty();
    c.conditions(choices);
    CheckTree tree = TreeWith(c.verifications);

    ASSERT_EQ(ArchiveQuery::Run(*dm, choices, tree), ArchiveQuery::RunResult::Done)
        << LastSelectFields.toStdString() << LastSelectFrom.toStdString();
    EXPECT_EQ(LastSelectState, 1);
    QString statement = QLatin1Char(' ') + LastSelectFields + LastSelectFrom;
    QStringList ours = SortedRows(statement, LastSelectValues);
    QStringList expected = SortedRows(c.expected);
    EXPECT_EQ(ours, expected) << statement.toStdString();
    EXPECT_EQ(expected.size(), c.rows) << "the fixture no longer shows what the case is about";
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), c.rows);
    EXPECT_EQ(dm->ADODataSetSQL->FieldCount(), static_cast<int>(c.columns.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ArchiveQueryCase,
    ::testing::Values(
        // Results only.
        QueryCase{"ResultsOnly",
                  {"PMistakeMeasure"},
                  {},
                  None,
                  Sql("SELECT DISTINCT R.PMistakeMeasure FROM TData D JOIN TResult R ON "
                      "R.PSecIndex = D.PIndex"),
                  6},
        QueryCase{"ResultsOnlyByTree",
                  {"PMistakeMeasure"},
                  {100, 200},
                  None,
                  Sql("SELECT R.PMistakeMeasure FROM TResult R WHERE R.PSecIndex IN (100, 200)"),
                  6},
        QueryCase{"ResultsOnlySmallestErrorOfEachMeter",
                  {"PMistakeMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Condition, "Min"); },
                  Sql("SELECT DISTINCT R.PMistakeMeasure FROM ALL4 WHERE R.PMistakeMeasure = "
                      "(SELECT min(R2.PMistakeMeasure) FROM TData D2 JOIN TResult R2 ON "
                      "R2.PSecIndex = D2.PIndex WHERE D2.PSecIndex = I.PIndex)"),
                  2},
        // Types and results.
        QueryCase{"TypesAndResultsErrorRangeIsInclusive",
                  {"PTipCH", "PMistakeMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Range, "1", "1"); },
                  Sql("SELECT T.PTipCH, R.PMistakeMeasure FROM ALL4 WHERE R.PMistakeMeasure = 1"),
                  2},
        QueryCase{"TypesAndResultsByTreeBeforeADay",
                  {"PTipCH", "PIMeasure"},
                  {101, 200},
                  [](ArchiveQueryChoices& c) { Date(c, DateChoice::Before, Mar17); },
                  Sql("SELECT T.PTipCH, R.PIMeasure FROM ALL4 WHERE D.PIndex IN (101, 200) AND "
                      "D.PDateMeasure < '2006-03-17'"),
                  2},
        QueryCase{"TypesMetersResultsLargestErrorOfEachMeter",
                  {"PTipCH", "PNumber", "PMistakeMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Condition, "", ""); },
                  Sql("SELECT DISTINCT T.PTipCH, I.PNumber, R.PMistakeMeasure FROM ALL4 WHERE "
                      "R.PMistakeMeasure = (SELECT max(R2.PMistakeMeasure) FROM TData D2 JOIN "
                      "TResult R2 ON R2.PSecIndex = D2.PIndex WHERE D2.PSecIndex = I.PIndex)"),
                  2},
        // Meters and results.
        QueryCase{"MetersAndResults",
                  {"PNumber", "PUMeasure"},
                  {},
                  None,
                  Sql("SELECT I.PNumber, R.PUMeasure FROM TIdent I JOIN TData D ON D.PSecIndex = "
                      "I.PIndex JOIN TResult R ON R.PSecIndex = D.PIndex"),
                  8},
        QueryCase{"MetersAndResultsByTreeErrorGreater",
                  {"PNumber", "PPowerMeasure"},
                  {100},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Greater, "1.5"); },
                  Sql("SELECT I.PNumber, R.PPowerMeasure FROM ALL4 WHERE D.PIndex = 100 AND "
                      "R.PMistakeMeasure > 1.5"),
                  1},
        // Verifications and results.
        QueryCase{"VerificationsAndResultsDateRangeIsExclusive",
                  {"PDateMeasure", "PMistakeMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Date(c, DateChoice::Range, Mar15, Mar17); },
                  Sql("SELECT D.PDateMeasure, R.PMistakeMeasure FROM ALL4 WHERE D.PDateMeasure = "
                      "'2006-03-16'"),
                  2},
        QueryCase{"VerificationsAndResultsSmallestErrorGetsTheMeters",
                  {"PDateMeasure", "PMistakeMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Condition, "Min"); },
                  Sql("SELECT DISTINCT D.PDateMeasure, R.PMistakeMeasure FROM ALL4 WHERE "
                      "R.PMistakeMeasure = (SELECT min(R2.PMistakeMeasure) FROM TData D2 JOIN "
                      "TResult R2 ON R2.PSecIndex = D2.PIndex WHERE D2.PSecIndex = I.PIndex)"),
                  2},
        QueryCase{"VerificationsAndResultsByTree",
                  {"PDateMeasure", "PFPMeasure"},
                  {110, 200},
                  None,
                  Sql("SELECT D.PDateMeasure, R.PFPMeasure FROM ALL4 WHERE D.PIndex IN (110, "
                      "200)"),
                  3},
        // Types only.
        QueryCase{"TypesOnly", {"PTipCH"}, {}, None, Sql("SELECT DISTINCT T.PTipCH FROM ALL3"), 2},
        QueryCase{"TypesOnlyAfterADayNeedResults",
                  {"PTipCH", "PUnom"},
                  {},
                  [](ArchiveQueryChoices& c) { Date(c, DateChoice::After, Mar15); },
                  Sql("SELECT DISTINCT T.PTipCH, T.PUnom FROM ALL4 WHERE D.PDateMeasure > "
                      "'2006-03-15'"),
                  2},
        QueryCase{"TypesOnlyByTree",
                  {"PTipCH", "PClassT"},
                  {110},
                  None,
                  Sql("SELECT DISTINCT T.PTipCH, T.PClassT FROM ALL3 WHERE D.PIndex = 110"),
                  1},
        // Types and meters.
        QueryCase{"TypesAndMetersErrorGreater",
                  {"PTipCH", "PNumber"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Greater, "1.6"); },
                  Sql("SELECT DISTINCT T.PTipCH, I.PNumber FROM ALL4 WHERE R.PMistakeMeasure > "
                      "1.6"),
                  2},
        QueryCase{"TypesAndMetersByTree",
                  {"PReductRate", "PAddress"},
                  {100, 101, 110},
                  None,
                  Sql("SELECT DISTINCT T.PReductRate, I.PAddress FROM ALL3 WHERE D.PIndex IN "
                      "(100, 101, 110)"),
                  2},
        // Types and verifications.
        QueryCase{"TypesAndVerificationsLatestDateOfEachMeter",
                  {"PTipCH", "PDateMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { DateCondition(c, "Max"); },
                  Sql("SELECT DISTINCT T.PTipCH, D.PDateMeasure FROM ALL4 WHERE D.PDateMeasure = "
                      "(SELECT max(D2.PDateMeasure) FROM TData D2 WHERE D2.PSecIndex = "
                      "I.PIndex)"),
                  2},
        QueryCase{"TypesAndVerificationsByTree",
                  {"PTipCH", "POrmix"},
                  {100, 110},
                  None,
                  Sql("SELECT DISTINCT T.PTipCH, D.POrmix FROM ALL3 WHERE D.PIndex IN (100, "
                      "110)"),
                  2},
        // Meters only.
        QueryCase{"MetersOnlyErrorLessTypedWithAComma",
                  {"PNumber", "PMaker"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Less, "-0,1"); },
                  Sql("SELECT DISTINCT I.PNumber, I.PMaker FROM ALL4 WHERE R.PMistakeMeasure < "
                      "-0.1"),
                  1},
        QueryCase{"MetersOnlyByTree",
                  {"PYearOutput"},
                  {200, 110},
                  None,
                  Sql("SELECT DISTINCT I.PYearOutput FROM ALL3 WHERE D.PIndex IN (110, 200)"),
                  2},
        // Verifications only.
        QueryCase{"VerificationsOnly",
                  {"PSamohod"},
                  {},
                  None,
                  Sql("SELECT DISTINCT D.PSamohod FROM ALL3"),
                  3},
        QueryCase{"VerificationsOnlyByTreeErrorRange",
                  {"PUSamohod"},
                  {100, 101, 200},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Range, "0", "1"); },
                  Sql("SELECT DISTINCT D.PUSamohod FROM ALL4 WHERE D.PIndex IN (100, 101, 200) "
                      "AND R.PMistakeMeasure BETWEEN 0 AND 1"),
                  2},
        // Meters and verifications.
        QueryCase{"MetersAndVerifications",
                  {"PNumber", "PDateMeasure"},
                  {},
                  None,
                  Sql("SELECT I.PNumber, D.PDateMeasure FROM TIdent I JOIN TData D ON "
                      "D.PSecIndex = I.PIndex"),
                  4},
        QueryCase{"MetersAndVerificationsByTree",
                  {"PNumber", "PDateMeasure"},
                  {101, 110},
                  None,
                  Sql("SELECT I.PNumber, D.PDateMeasure FROM ALL3 WHERE D.PIndex IN (101, 110)"),
                  2},
        QueryCase{"MetersAndVerificationsErrorGetsTheResults",
                  {"PNumber", "PDateMeasure"},
                  {},
                  [](ArchiveQueryChoices& c) { Error(c, ErrorChoice::Range, "1", "2"); },
                  Sql("SELECT I.PNumber, D.PDateMeasure FROM ALL4 WHERE R.PMistakeMeasure "
                      "BETWEEN 1 AND 2"),
                  5},
        QueryCase{"MetersAndVerificationsEarliestDateByTree",
                  {"PNumber", "PDateMeasure"},
                  {100, 101, 200},
                  [](ArchiveQueryChoices& c) { DateCondition(c, "Min"); },
                  Sql("SELECT DISTINCT I.PNumber, D.PDateMeasure FROM ALL3 WHERE D.PIndex IN "
                      "(100, 101, 200) AND D.PDateMeasure = (SELECT min(D2.PDateMeasure) FROM "
                      "TData D2 WHERE D2.PSecIndex = I.PIndex)"),
                  2},
        // Everything at once.
        QueryCase{"AllColumnsByTreeWithDateAndErrorRanges",
                  {"PTipCH", "PUnom", "PInom", "PReductRate", "PClassT", "PNumber", "PMaker",
                   "PYearOutput", "PAddress", "PDateMeasure", "PSamohod", "PUSamohod", "POrmix",
                   "PUMeasure", "PIMeasure", "PPowerMeasure", "PFPMeasure", "PMistakeMeasure"},
                  {100, 101, 200},
                  [](ArchiveQueryChoices& c) {
                      Date(c, DateChoice::Range, Mar15, Mar18);
                      Error(c, ErrorChoice::Range, "-1", "1,5");
                  },
                  Sql("SELECT T.PTipCH, T.PUnom, T.PInom, T.PReductRate, T.PClassT, I.PNumber, "
                      "I.PMaker, I.PYearOutput, I.PAddress, D.PDateMeasure, D.PSamohod, "
                      "D.PUSamohod, D.POrmix, R.PUMeasure, R.PIMeasure, R.PPowerMeasure, "
                      "R.PFPMeasure, R.PMistakeMeasure FROM ALL4 WHERE D.PIndex IN (101, 200) AND "
                      "R.PMistakeMeasure BETWEEN -1 AND 1.5"),
                  4}),
    CaseName);

class ArchiveQueryTest : public SelectionArchive
{
  protected:
    ArchiveQueryChoices TypesOnly()
    {
        ArchiveQueryChoices c;
        c.columns.set(0);
        return c;
    }
};

TEST_F(ArchiveQueryTest, StatementHalvesKeepTheirWordsAndBindTheValues)
{
    ArchiveQueryStatement s = ArchiveQuery::Build(TypesOnly(), false);
    EXPECT_EQ(s.outcome, ArchiveQueryStatement::Outcome::Ready);
    EXPECT_EQ(s.fields, QStringLiteral("Select  DISTINCT  TTip.PTipCH"));
    EXPECT_TRUE(s.from.startsWith(QStringLiteral(" From ")));
    EXPECT_EQ(s.Text(), QLatin1Char(' ') + s.fields + s.from);

    ArchiveQueryChoices c = TypesOnly();
    c.columns.set(17);
    Date(c, DateChoice::Range, Mar14, Mar16);
    Error(c, ErrorChoice::Range, "0,25", "7");
    s = ArchiveQuery::Build(c, false);
    EXPECT_EQ(s.fields, QStringLiteral("Select  TTip.PTipCH, TResult.PMistakeMeasure"));
    EXPECT_EQ(s.values, (QVariantList{QStringLiteral("2006-03-14"), QStringLiteral("2006-03-16"),
                                      0.25, 7.0}));
    EXPECT_FALSE(s.from.contains(QStringLiteral("2006"))) << "dates are bound, not written";
    EXPECT_FALSE(s.from.contains(QStringLiteral("0.25")));
}

TEST_F(ArchiveQueryTest, NothingChosenOrIncompleteErrorBoundsRunNothing)
{
    LastSelectFields = QStringLiteral("before");
    LastSelectState = 1;
    dm->ADODataSetSQL->Open();
    const int shown = dm->ADODataSetSQL->RecordCount();
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());

    EXPECT_EQ(ArchiveQuery::Run(*dm, ArchiveQueryChoices(), tree),
              ArchiveQuery::RunResult::NoColumns);
    struct {
        ErrorChoice choice;
        const char* first;
        const char* second;
    } stops[] = {{ErrorChoice::Less, "", ""},
                 {ErrorChoice::Greater, "", ""},
                 {ErrorChoice::Range, "", "1"},
                 {ErrorChoice::Range, "1", ""},
                 {ErrorChoice::Range, "2", "1"}};
    for (const auto& stop : stops) {
        ArchiveQueryChoices c = TypesOnly();
        Error(c, stop.choice, stop.first, stop.second);
        EXPECT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Stopped)
            << stop.first << " " << stop.second;
    }
    EXPECT_EQ(LastSelectFields, QStringLiteral("before"));
    EXPECT_EQ(LastSelectState, 1);
    EXPECT_TRUE(dm->ADODataSetSQL->Active());
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), shown);
}

TEST_F(ArchiveQueryTest, TreeChosenWithNothingCheckedCoversTheWholeArchive)
{
    ArchiveQueryChoices c = TypesOnly();
    c.byTree = true;
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
    ASSERT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Done);
    EXPECT_FALSE(LastSelectFrom.contains(ArchiveQuery::Keys().Table()));
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), 2);
}

TEST_F(ArchiveQueryTest, LastQueryRunsAgainUntilTheNextOne)
{
    // What the external-data window's export does: the same statement from the last-query
    // record, later, with the same keys.
    ArchiveQueryChoices c;
    c.columns.set(5);  // PNumber
    c.columns.set(17); // PMistakeMeasure
    c.byTree = true;
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
    tree.Toggle(2, 0);
    ASSERT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Done);
    QStringList first = SortedRows(LastSelectFields + LastSelectFrom, LastSelectValues);
    ASSERT_EQ(first.size(), 3);
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), 3);

    // Other statements in between do not disturb it.
    Exec(QStringLiteral("DELETE FROM TSTip"));
    EXPECT_EQ(SortedRows(LastSelectFields + LastSelectFrom, LastSelectValues), first);

    tree.SetAll(true);
    ASSERT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Done);
    EXPECT_EQ(SortedRows(LastSelectFields + LastSelectFrom, LastSelectValues).size(), 8);
}

TEST_F(ArchiveQueryTest, EveryNodeOfALargeTreeChecked)
{
    // Far more keys than an engine takes as terms of one expression.
    Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                        "3000) INSERT INTO TIdent (PIndex, PSecIndex, PNumber, PMaker, "
                        "PYearOutput, PAddress) SELECT 1000 + i, 2, 'N' || i, 'M', 2000, 'A' "
                        "FROM n"));
    Exec(QStringLiteral("INSERT INTO TData (PIndex, PSecIndex, PSamohod, POrmix, PDateMeasure, "
                        "PUSamohod) SELECT 10000 + PIndex, PIndex, 1, 1, '2007-01-01', 230 FROM "
                        "TIdent WHERE PIndex > 1000"));
    ArchiveQueryChoices c;
    c.columns.set(5); // PNumber
    c.columns.set(9); // PDateMeasure: meters and verifications, no DISTINCT
    c.byTree = true;
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
    tree.SetAll(true);
    ASSERT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Done);
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), 3004);
    tree.Toggle(0, 0); // the first type off
    ASSERT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Done);
    EXPECT_EQ(dm->ADODataSetSQL->RecordCount(), 3001);
}

TEST_F(ArchiveQueryTest, RefusedStatementOrUnreadableBoundFailsAndDisablesExport)
{
    CheckTree tree = ArchiveTrees::VerificationTree(dm->ConnectionName());
    ArchiveQueryChoices c = TypesOnly();
    Error(c, ErrorChoice::Less, "99999999999"); // beyond what the number reading takes
    LastSelectState = 1;
    EXPECT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Failed);
    EXPECT_EQ(LastSelectState, 2);
    EXPECT_FALSE(LastSelectFields.isEmpty()) << "the halves are kept even when the run fails";

    Exec(QStringLiteral("ALTER TABLE TResult RENAME TO TResultGone"));
    c = TypesOnly();
    c.columns.set(17);
    LastSelectState = 1;
    EXPECT_EQ(ArchiveQuery::Run(*dm, c, tree), ArchiveQuery::RunResult::Failed);
    EXPECT_EQ(LastSelectState, 2);
    EXPECT_FALSE(dm->ADODataSetSQL->Active());
}

} // namespace
