// Cursor, editing, sorting, bookmarks and notification semantics of the table views.
#include "support/archivefixture.h"

#include <QSignalSpy>

#include <functional>

namespace
{

using State = DataSet::State;

class DataSetTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        int constant = 100;
        for (const char* t : {"b2", "A1", "c3", "a0"}) {
            AddType(QString::fromUtf8(t), QString::number(constant));
            constant += 100;
        }
    }
    QStringList Order()
    {
        QStringList out;
        for (int r = 0; r < dm->ADOTip->RecordCount(); ++r)
            out << dm->ADOTip->Value(r, 1).toString();
        return out;
    }
    DataSet& tip() { return *dm->ADOTip; }
};

TEST_F(DataSetTest, WalksFromFirstToEof)
{
    QStringList seen;
    tip().First();
    while (!tip().Eof()) {
        seen << tip().FieldByName(QStringLiteral("PTipCH")).AsString();
        tip().Next();
    }
    EXPECT_EQ(seen, (QStringList{"b2", "A1", "c3", "a0"}));
    EXPECT_EQ(tip().RecNo(), 3);
    tip().Prior();
    EXPECT_FALSE(tip().Eof());
    EXPECT_EQ(tip().RecNo(), 2);
}

TEST_F(DataSetTest, SortsWithoutQueryingAndKeepsTheCurrentRow)
{
    tip().Locate({QStringLiteral("PTipCH")}, {QStringLiteral("c3")});
    tip().SetSort(QStringLiteral("PTipCH ASC"));
    EXPECT_EQ(Order(), (QStringList{"a0", "A1", "b2", "c3"}));
    EXPECT_EQ(tip().FieldByName(QStringLiteral("PTipCH")).AsString(), QStringLiteral("c3"));
    tip().SetSort(QStringLiteral("PTipCH DESC"));
    EXPECT_EQ(Order(), (QStringList{"c3", "b2", "A1", "a0"}));
    tip().SetSort(QStringLiteral("pinom asc, PTipCH DESC")); // field names in any case
    EXPECT_EQ(Order(), (QStringList{"c3", "b2", "A1", "a0"}));
    // Sorting survives a re-read.
    tip().Requery();
    EXPECT_EQ(Order(), (QStringList{"c3", "b2", "A1", "a0"}));
}

TEST_F(DataSetTest, BookmarksSurviveSortingAndDeletion)
{
    tip().Locate({QStringLiteral("PTipCH")}, {QStringLiteral("A1")});
    qint64 mark = tip().Bookmark();
    tip().SetSort(QStringLiteral("PTipCH DESC"));
    tip().First();
    ASSERT_TRUE(tip().GotoBookmark(mark));
    EXPECT_EQ(tip().FieldByName(QStringLiteral("PTipCH")).AsString(), QStringLiteral("A1"));
    tip().Delete();
    EXPECT_FALSE(tip().BookmarkValid(mark));
    EXPECT_EQ(tip().RecordCount(), 3);
}

TEST_F(DataSetTest, CancelledAppendReturnsToThePreviousRow)
{
    tip().MoveTo(1);
    QSignalSpy removed(&tip(), &DataSet::RowRemoved);
    tip().Append();
    EXPECT_EQ(tip().RecordCount(), 5);
    EXPECT_EQ(tip().RecNo(), 4);
    tip().Cancel();
    EXPECT_EQ(tip().RecordCount(), 4);
    EXPECT_EQ(tip().RecNo(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(tip().GetState(), State::Browse);
}

TEST_F(DataSetTest, CancelledEditRestoresTheValues)
{
    tip().First();
    tip().Edit();
    tip().FieldByName(QStringLiteral("PTipCH")).SetAsString(QStringLiteral("zz"));
    tip().Cancel();
    EXPECT_EQ(tip().FieldByName(QStringLiteral("PTipCH")).AsString(), QStringLiteral("b2"));
}

TEST_F(DataSetTest, MovingPostsAPendingEditAndStaysWhenThePostIsRefused)
{
    tip().First();
    tip().Edit();
    tip().FieldByName(QStringLiteral("PUnom")).SetAsString(QStringLiteral("127"));
    EXPECT_TRUE(tip().Next());
    EXPECT_EQ(tip().RecNo(), 1);
    tip().Requery();
    EXPECT_EQ(tip().Value(0, 2).toDouble(), 127.0);

    tip().Edit();
    tip().FieldByName(QStringLiteral("PTipCH")).SetAsString(QStringLiteral("C3"));
    EXPECT_FALSE(tip().Next()); // duplicate: the row stays in edit
    EXPECT_EQ(tip().RecNo(), 1);
    EXPECT_EQ(tip().GetState(), State::Edit);
    tip().Cancel();

    // An append left untouched is dropped when moving away.
    tip().Append();
    EXPECT_TRUE(tip().First());
    EXPECT_EQ(tip().RecordCount(), 4);
}

TEST_F(DataSetTest, StrictFieldConversions)
{
    tip().Append();
    Field unom = tip().FieldByName(QStringLiteral("PUnom"));
    for (const char* bad : {"abc", "12,5", "1.2.3", "--1"})
        EXPECT_THROW(unom.SetAsString(QString::fromUtf8(bad)), EConvertError) << bad;
    unom.SetAsString(QStringLiteral(" 12.5 "));
    EXPECT_DOUBLE_EQ(unom.AsFloat(), 12.5);
    unom.SetAsString(QString());
    EXPECT_TRUE(unom.IsNull());
    tip().Cancel();

    dm->ADOData->Append();
    EXPECT_THROW(
        dm->ADOData->FieldByName(QStringLiteral("PSamohod")).SetAsString(QStringLiteral("256")),
        EConvertError);
    EXPECT_THROW(dm->ADOData->FieldByName(QStringLiteral("PDateMeasure"))
                     .SetAsString(QStringLiteral("31/02/05")),
                 EConvertError);
    dm->ADOData->Cancel();
}

TEST_F(DataSetTest, DisabledControlsHearOneResetAtTheEnd)
{
    QSignalSpy reset(&tip(), &DataSet::Reset);
    QSignalSpy current(&tip(), &DataSet::CurrentChanged);
    tip().DisableControls();
    tip().First();
    while (!tip().Eof())
        tip().Next();
    tip().SetSort(QStringLiteral("PTipCH ASC"));
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(current.count(), 0);
    tip().EnableControls();
    EXPECT_EQ(reset.count(), 1);
}

TEST_F(DataSetTest, DetailsFollowEvenWhileControlsAreDisabled)
{
    tip().First();
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    tip().DisableControls();
    tip().Next();
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 0);
    tip().First();
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 1);
    tip().EnableControls();
}

TEST_F(DataSetTest, ReadOnlyQueryTakesItsFieldsFromTheResult)
{
    DataSet& q = *dm->ADOQuerySQL;
    q.Close();
    q.SetCommandText(
        QStringLiteral(
            "select PTipCH, PReductRate from TTip where PReductRate > ? order by PTipCH"),
        {250});
    q.Open();
    ASSERT_EQ(q.FieldCount(), 2);
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("preductrate")).AsString(), QStringLiteral("400"));
    q.Append();
    EXPECT_THROW(q.Post(), DatabaseError);
    q.Cancel();
}

// A large result read on demand: the first rows at once, the rest as asked for or as needed.
class OnDemandTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        dm->ADOExport->SetCommandText(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < 10) INSERT INTO TTip (PTipCH, PUnom, PInom, PReductRate, PClassT) "
                           "SELECT 'T' || (11 - i), i, 5, 800, 2 FROM n"));
        dm->ADOExport->Execute();
    }
    // The first row has no date, so the column's kind comes from its first value.
    const QString sql = QStringLiteral(
        "select PTipCH, PUnom, CASE WHEN PUnom > 1 THEN '2006-03-15' END AS D from TTip "
        "order by PUnom");
};

TEST_F(OnDemandTest, ReadsTheFirstRowsAndTheRestWhenNeeded)
{
    DataSet lazy(QStringLiteral("lazy"), dm->ConnectionName(), {}, sql);
    lazy.SetFetchOnDemand(3);
    QSignalSpy fetched(&lazy, &DataSet::RowsAppended);
    lazy.Open();
    EXPECT_EQ(lazy.FetchedCount(), 3);
    EXPECT_TRUE(lazy.CanFetchMore());
    lazy.FetchMore(2);
    ASSERT_EQ(fetched.count(), 1);
    EXPECT_EQ(fetched.at(0).at(0).toInt(), 3);
    EXPECT_EQ(fetched.at(0).at(1).toInt(), 4);
    EXPECT_EQ(lazy.Value(7, 1).toInt(), 8) << "a row beyond those read is read";
    lazy.MoveTo(7);
    for (int i = 0; i < 2; ++i)
        lazy.Next();
    EXPECT_FALSE(lazy.Eof());
    lazy.Next();
    EXPECT_TRUE(lazy.Eof());
    EXPECT_EQ(lazy.FieldByName(QStringLiteral("PTipCH")).AsString(), QStringLiteral("T1"));
    EXPECT_FALSE(lazy.CanFetchMore());
    EXPECT_EQ(lazy.FieldDefAt(2).type, FieldType::Date);
    EXPECT_EQ(FieldText(FieldType::Date, lazy.Value(9, 2)), QStringLiteral("15/03/06"));
}

TEST_F(OnDemandTest, CountsSortsAndFindsOverEveryRow)
{
    struct {
        const char* name;
        std::function<void(DataSet&)> act;
    } needsAll[] = {
        {"RecordCount", [](DataSet& d) { EXPECT_EQ(d.RecordCount(), 10); }},
        {"Last", [](DataSet& d) { d.Last(); }},
        {"SetSort", [](DataSet& d) { d.SetSort(QStringLiteral("PTipCH ASC")); }},
        {"Locate",
         [](DataSet& d) {
             EXPECT_TRUE(d.Locate({QStringLiteral("PTipCH")}, {QStringLiteral("t1")}));
         }},
    };
    for (const auto& c : needsAll) {
        DataSet lazy(QStringLiteral("lazy"), dm->ConnectionName(), {}, sql);
        lazy.SetFetchOnDemand(3);
        lazy.Open();
        c.act(lazy);
        EXPECT_EQ(lazy.FetchedCount(), 10) << c.name;
        EXPECT_FALSE(lazy.CanFetchMore()) << c.name;
    }
    // Closed and opened again, it starts over.
    DataSet lazy(QStringLiteral("lazy"), dm->ConnectionName(), {}, sql);
    lazy.SetFetchOnDemand(3);
    lazy.Open();
    lazy.FetchAll();
    lazy.Close();
    lazy.Open();
    EXPECT_EQ(lazy.FetchedCount(), 3);
}

TEST_F(OnDemandTest, TablesAndDetailsAlwaysReadEveryRow)
{
    dm->ADOTip->SetFetchOnDemand(3);
    dm->ADOTip->Requery();
    EXPECT_EQ(dm->ADOTip->FetchedCount(), 10);
    EXPECT_FALSE(dm->ADOTip->CanFetchMore());
}

} // namespace
