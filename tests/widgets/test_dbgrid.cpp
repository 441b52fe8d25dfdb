// The shared data grid against the meter type view: model contract, sorting, selection, edits.
#include "support/archivefixture.h"
#include "support/checkedmodel.h"
#include "widgets/dbgrid.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace
{

class GridTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        AddType(QStringLiteral("b2"), QStringLiteral("1600"));
        AddType(QStringLiteral("A1"), QStringLiteral("800"));
        AddType(QStringLiteral("c3"), QStringLiteral("12.5"));
        grid = std::make_unique<DBGrid>();
        grid->setObjectName(QStringLiteral("DBGridTTip"));
        grid->SetDataSet(dm->ADOTip);
        tester = std::make_unique<CheckedModel>(grid->Model());
        grid->resize(600, 300);
        grid->show();
    }
    void TearDown() override
    {
        EXPECT_TRUE(CheckedModel::Failures().isEmpty())
            << CheckedModel::Failures().join(QLatin1Char('\n')).toStdString();
        tester.reset();
        grid.reset();
        ArchiveFixture::TearDown();
    }
    QString Cell(int row, int column)
    {
        return grid->Model()->index(row, column).data().toString();
    }

    std::unique_ptr<DBGrid> grid;
    std::unique_ptr<CheckedModel> tester;
};

TEST_F(GridTest, ShowsVisibleFieldsWithCaptionsAndNumberTexts)
{
    ASSERT_EQ(grid->Model()->columnCount(), 5); // PIndex is hidden
    EXPECT_EQ(grid->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Тип"));
    EXPECT_EQ(grid->Model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("А, имп/кВт*ч"));
    EXPECT_EQ(Cell(2, 3), QStringLiteral("12.5"));
    EXPECT_EQ(grid->Model()->rowCount(), 3);
}

TEST_F(GridTest, TitleClicksCycleAndSortTheView)
{
    QStringList texts;
    QSignalSpy spy(grid.get(), &DBGrid::SortChanged);
    EXPECT_EQ(grid->Marker(0), DBGrid::SortMarker::None);
    grid->ClickTitle(0);
    EXPECT_EQ(grid->Marker(0), DBGrid::SortMarker::Down);
    EXPECT_EQ((QStringList{Cell(0, 0), Cell(1, 0), Cell(2, 0)}), (QStringList{"A1", "b2", "c3"}));
    grid->ClickTitle(0);
    EXPECT_EQ(grid->Marker(0), DBGrid::SortMarker::Up);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("c3"));
    grid->ClickTitle(0);
    EXPECT_EQ(grid->Marker(0), DBGrid::SortMarker::Down);
    grid->ClickTitle(3); // another column starts again at down, and the first loses its marker
    EXPECT_EQ(grid->Marker(0), DBGrid::SortMarker::None);
    EXPECT_EQ(Cell(0, 3), QStringLiteral("12.5"));
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString();
    EXPECT_EQ(texts, (QStringList{"PTipCH ASC", "PTipCH DESC", "PTipCH ASC", "PReductRate ASC"}));

    grid->SortTextHook = [](const QString& t) { return QStringLiteral("PSecindex ASC, ") + t; };
    grid->ClickTitle(0);
    EXPECT_EQ(dm->ADOTip->Sort(), QStringLiteral("PSecindex ASC, PTipCH ASC"));
}

TEST_F(GridTest, SelectionKinds)
{
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::None);
    QRect r0 = grid->visualRect(grid->Model()->index(0, 0));
    QRect r2 = grid->visualRect(grid->Model()->index(2, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, r2.center());
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::None) << "a plain click only moves";
    EXPECT_EQ(dm->ADOTip->RecNo(), 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, r0.center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, r2.center());
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::Rows);
    EXPECT_EQ(grid->SelectedRowNumbers(), (QList<int>{0, 2}));
    EXPECT_EQ(grid->SelectedBookmarks(),
              (QList<qint64>{dm->ADOTip->BookmarkAt(0), dm->ADOTip->BookmarkAt(2)}));
    grid->SelectAllRows();
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::All);
    EXPECT_EQ(grid->SelectedRowNumbers(), (QList<int>{0, 1, 2}));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, r0.center());
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::None);
}

TEST_F(GridTest, SelectAllNeedsRows)
{
    dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTip"));
    dm->ADOExport->Execute();
    dm->ADOTip->Requery();
    grid->SelectAllRows();
    EXPECT_EQ(grid->Selection(), DBGrid::SelectionKind::None);
}

TEST_F(GridTest, FollowsTheDataSetCursorAndMovesIt)
{
    dm->ADOTip->Last();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(grid->Model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(),
              QStringLiteral("▶"));
    grid->setCurrentIndex(grid->Model()->index(0, 1));
    EXPECT_EQ(dm->ADOTip->RecNo(), 0);
}

TEST_F(GridTest, EditsGoThroughTheDataSetAndRefusedTextsAreReported)
{
    QModelIndex unom = grid->Model()->index(1, 1);
    EXPECT_TRUE(grid->Model()->setData(unom, QStringLiteral("127"), Qt::EditRole));
    EXPECT_EQ(dm->ADOTip->GetState(), DataSet::State::Edit);
    EXPECT_FALSE(grid->Model()->setData(unom, QStringLiteral("сто"), Qt::EditRole));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, ULang::CaptionError);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("сто")));
    // Moving to another row posts the edit.
    grid->setCurrentIndex(grid->Model()->index(0, 1));
    EXPECT_EQ(dm->ADOTip->GetState(), DataSet::State::Browse);
    dm->ADOTip->Requery();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("127"));
}

TEST_F(GridTest, RowsAppearAndDisappearWithAppendAndCancel)
{
    dm->ADOTip->Append();
    EXPECT_EQ(grid->Model()->rowCount(), 4);
    EXPECT_EQ(grid->Model()->headerData(3, Qt::Vertical, Qt::DisplayRole).toString(),
              QStringLiteral("*"));
    dm->ADOTip->Cancel();
    EXPECT_EQ(grid->Model()->rowCount(), 3);
    dm->ADOTip->First();
    dm->ADOTip->Delete();
    EXPECT_EQ(grid->Model()->rowCount(), 2);
}

TEST_F(GridTest, PickListShowsAndStoresCreepStates)
{
    dm->ADOTip->First();
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    DBGrid data;
    GridColumn samohod;
    samohod.field = QStringLiteral("PSamohod");
    samohod.pickList = SamohodPickList();
    data.SetDataSet(dm->ADOData, {samohod});
    struct {
        int stored;
        const char* shown;
    } cases[] = {{0, "Нет"}, {1, "Нет"}, {2, "Есть"}, {99, "-"}, {7, "7"}};
    for (const auto& c : cases) {
        dm->ADOData->Append();
        dm->ADOData->FieldByName(QStringLiteral("PSamohod")).SetValue(c.stored);
        ASSERT_TRUE(dm->ADOData->Post());
        EXPECT_EQ(data.Model()->index(dm->ADOData->RecNo(), 0).data().toString(),
                  QString::fromUtf8(c.shown));
    }
    QModelIndex last = data.Model()->index(dm->ADOData->RecNo(), 0);
    ASSERT_TRUE(data.Model()->setData(last, QStringLiteral("Есть"), Qt::EditRole));
    ASSERT_TRUE(dm->ADOData->Post());
    EXPECT_EQ(dm->ADOData->FieldByName(QStringLiteral("PSamohod")).AsInteger(), 2);
}

TEST_F(GridTest, DragTellsWhetherTheSourceHadRowsAndNamesIt)
{
    QSignalSpy started(grid.get(), &DBGrid::DragStarted);
    DragHasRows = false;
    std::unique_ptr<QMimeData> mime(grid->PrepareDrag());
    EXPECT_TRUE(DragHasRows);
    EXPECT_EQ(mime->data(QLatin1String(GridDragMimeType)), QByteArray("DBGridTTip"));
    EXPECT_EQ(started.count(), 1);

    dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTip"));
    dm->ADOExport->Execute();
    dm->ADOTip->Requery();
    mime.reset(grid->PrepareDrag());
    EXPECT_FALSE(DragHasRows);
}

TEST_F(GridTest, FocusSignalsReachTheActiveGridLogic)
{
    QWidget window;
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    grid->setParent(&window);
    window.show();
    QSignalSpy enter(grid.get(), &DBGrid::GridEnter);
    QSignalSpy exit(grid.get(), &DBGrid::GridExit);
    window.activateWindow();
    grid->setFocus();
    QApplication::processEvents();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_GE(enter.count(), 1);
    EXPECT_GE(exit.count(), 1);
    grid->setParent(nullptr);
}

TEST_F(GridTest, LargeQueryResultIsReadAsTheGridScrolls)
{
    DataSet& result = *dm->ADODataSetSQL;
    result.SetCommandText(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                         "FROM n WHERE i < 1000) SELECT i AS N FROM n"));
    result.Open();
    DBGrid lazy;
    lazy.SetDataSet(&result);
    lazy.resize(300, 300);
    lazy.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lazy));
    const int first = lazy.Model()->rowCount();
    EXPECT_LT(first, 1000);
    lazy.setFocus();
    QTest::keyClick(&lazy, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_GT(lazy.Model()->rowCount(), first) << "reaching the bottom reads more rows";
    EXPECT_LT(lazy.Model()->rowCount(), 1000);

    // (The tester itself asks for more rows at each change, so it comes after the scrolling.)
    QAbstractItemModelTester check(lazy.Model(),
                                   QAbstractItemModelTester::FailureReportingMode::Warning);
    lazy.SelectAllRows();
    EXPECT_EQ(lazy.Model()->rowCount(), 1000);
    EXPECT_EQ(lazy.SelectedRowNumbers().size(), 1000);
    EXPECT_EQ(lazy.Model()->index(999, 0).data().toString(), QStringLiteral("1000"));
    result.Close();
}

} // namespace
