// The delete command of every window: marked rows, every row, or the current row.
#include "database/deleteselectedrows.h"
#include "support/archivefixture.h"

#include <QSignalSpy>

namespace
{

class DeleteSelectedRowsTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        Fill();
    }
    // The device types T0..T4 and nothing else.
    void Fill()
    {
        DataSet& view = View();
        dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTableTip"));
        dm->ADOExport->Execute();
        view.Requery();
        for (const char* tip : {"T0", "T1", "T2", "T3", "T4"}) {
            ASSERT_TRUE(view.Append());
            view.FieldByName(QStringLiteral("PTip")).SetAsString(QLatin1String(tip));
            view.FieldByName(QStringLiteral("PReductRate")).SetAsString(QStringLiteral("800"));
            ASSERT_TRUE(view.Post());
        }
    }
    DataSet& View() { return *dm->ADOTableTip; }
    QStringList Left()
    {
        QStringList out;
        for (int r = 0; r < View().RecordCount(); ++r)
            out << View().Value(r, View().FieldIndex(QStringLiteral("PTip"))).toString();
        return out;
    }
};

TEST_F(DeleteSelectedRowsTest, EachSelectionKindDeletesItsRowsAndTellsTheGridsOnce)
{
    using Kind = RowSelection::Kind;
    struct Case {
        const char* name;
        Kind kind;
        QList<int> marked; // rows marked, in the order they were marked; -1 a row already gone
        int current;       // the current row before the command
        QStringList left;
    };
    const Case cases[] = {
        {"current row", Kind::None, {}, 2, {"T0", "T1", "T3", "T4"}},
        {"marked rows", Kind::Rows, {4, 0, 2}, 1, {"T1", "T3"}},
        {"a mark of a row already gone is passed over",
         Kind::Rows,
         {1, -1},
         0,
         {"T0", "T2", "T3", "T4"}},
        {"every row", Kind::All, {}, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill();
        DataSet& view = View();
        ASSERT_TRUE(view.MoveTo(c.current));
        RowSelection selection{c.kind, {}};
        for (int row : c.marked)
            selection.bookmarks << (row < 0 ? 987654 : view.BookmarkAt(row));
        QSignalSpy removed(&view, &DataSet::RowRemoved);
        QSignalSpy reset(&view, &DataSet::Reset);
        EXPECT_TRUE(DeleteSelectedRows(view, selection));
        EXPECT_EQ(Left(), c.left);
        EXPECT_EQ(removed.count(), 0) << "no grid redraws row by row";
        EXPECT_EQ(reset.count(), 1);
        EXPECT_FALSE(view.ControlsDisabled());
    }
}

TEST_F(DeleteSelectedRowsTest, ARefusalKeepsWhatWasDeletedAndReReadsTheView)
{
    dm->ADOExport->SetCommandText(
        QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE DELETE ON TTableTip WHEN old.PTip = 'T2' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    dm->ADOExport->Execute();
    DataSet& view = View();
    EXPECT_FALSE(DeleteSelectedRows(view, RowSelection::Everything()));
    EXPECT_EQ(Left(), (QStringList{"T2", "T3", "T4"}));
    EXPECT_EQ(view.GetState(), DataSet::State::Browse);
    EXPECT_FALSE(view.ControlsDisabled());
}

TEST_F(DeleteSelectedRowsTest, AnEmptyViewIsLeftAsItIs)
{
    DataSet& view = View();
    dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTableTip"));
    dm->ADOExport->Execute();
    view.Requery();
    for (const RowSelection& s : {RowSelection{}, RowSelection::Everything()})
        EXPECT_TRUE(DeleteSelectedRows(view, s));
    EXPECT_TRUE(view.IsEmpty());
}

} // namespace
