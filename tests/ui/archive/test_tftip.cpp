// The archive window: sorting, navigation, insert, post, delete and drop targets.
#include "support/transferfixture.h"
#include "ui/archive/sfcopy.h"
#include "ui/archive/sfnewtip.h"
#include "ui/archive/tftip.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTimer>
#include <QToolButton>

namespace
{

class TFTipTest : public TransferFixture
{
  protected:
    void SetUp() override
    {
        TransferFixture::SetUp();
        tip = std::make_unique<TFTip>(*dm);
        tip->show();
        tip->activateWindow();
        QApplication::setActiveWindow(tip.get());
    }

    void TearDown() override
    {
        tip.reset();
        TransferFixture::TearDown();
    }

    void Focus(DBGrid* grid)
    {
        grid->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        ASSERT_EQ(tip->ActiveControlGrid(), grid);
    }

    void Mark(DBGrid* grid, const QList<int>& rows)
    {
        for (int r : rows)
            grid->selectionModel()->select(grid->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QStringList Numbers()
    {
        QStringList out;
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName(), false));
        q.exec(QStringLiteral("select PNumber from TIdent order by PNumber"));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    std::unique_ptr<TFTip> tip;
};

TEST_F(TFTipTest, TitleClicksCycleAscendingDescendingAndMetersStayGroupedByType)
{
    AddType(QStringLiteral("B"));
    AddType(QStringLiteral("A"));
    tip->DBGridTTip->ClickTitle(0);
    EXPECT_EQ(dm->ADOTip->Sort(), QStringLiteral("PTipCH ASC"));
    EXPECT_EQ(dm->ADOTip->Value(0, 1).toString(), QStringLiteral("A"));
    tip->DBGridTTip->ClickTitle(0);
    EXPECT_EQ(dm->ADOTip->Sort(), QStringLiteral("PTipCH DESC"));
    EXPECT_EQ(dm->ADOTip->Value(0, 1).toString(), QStringLiteral("B"));
    tip->DBGridTTip->ClickTitle(0);
    EXPECT_EQ(dm->ADOTip->Sort(), QStringLiteral("PTipCH ASC"));
    tip->DBGridTTip->ClickTitle(1);
    EXPECT_EQ(dm->ADOTip->Sort(), QStringLiteral("PUnom ASC"));

    tip->DBGridTIdent->ClickTitle(2);
    EXPECT_EQ(dm->ADOIdent->Sort(), QStringLiteral("PSecindex ASC, PYearOutput ASC"));
}

TEST_F(TFTipTest, NavigationClearsTheSelectionAndMovesTheActiveGridsView)
{
    AddType(QStringLiteral("A"));
    AddType(QStringLiteral("B"));
    AddType(QStringLiteral("C"));
    Focus(tip->DBGridTTip);
    Mark(tip->DBGridTTip, {1});
    tip->DataSetFirst1Execute();
    EXPECT_EQ(dm->ADOTip->RecNo(), 0);
    EXPECT_EQ(tip->DBGridTTip->Selection(), DBGrid::SelectionKind::None);
    tip->DataSetNext1Execute();
    EXPECT_EQ(dm->ADOTip->RecNo(), 1);
    tip->DataSetLast1Execute();
    EXPECT_EQ(dm->ADOTip->RecNo(), 2);
    EXPECT_FALSE(tip->DataSetNext1->isEnabled());
    EXPECT_TRUE(tip->DataSetPrior1->isEnabled());
}

TEST_F(TFTipTest, InsertButtonIsOffForTheResultsGridButTheCommandStays)
{
    AddType(QStringLiteral("A"));
    Focus(tip->DBGridTResult);
    EXPECT_EQ(tip->ActionDataSource(), dm->ADOResult);
    EXPECT_FALSE(tip->InsertButton()->isEnabled());
    EXPECT_TRUE(tip->DataSetInsert1->isEnabled());
    tip->DataSetInsert1Execute(); // does nothing for the results grid
    EXPECT_EQ(Rows("TResult"), 0);
    Focus(tip->DBGridData);
    EXPECT_TRUE(tip->InsertButton()->isEnabled());
}

TEST_F(TFTipTest, InsertThroughThePanelAddsTheType)
{
    Focus(tip->DBGridTTip);
    QTimer::singleShot(0, tip.get(), [this] {
        SFNewTip* panel = tip->SFNewTipPanel;
        panel->ETip->setText(QStringLiteral("CE101  "));
        panel->EUnom->setText(QStringLiteral("220"));
        panel->EReduct->setText(QStringLiteral("1600"));
        panel->btOKClick();
    });
    tip->DataSetInsert1Execute();
    EXPECT_EQ(
        Count(QStringLiteral("select count(*) from TTip where PTipCH = 'CE101' and PUnom = 220 "
                             "and PReductRate = 1600")),
        1);
    EXPECT_EQ(tip->DBGridTTip->model()->rowCount(), 1);
}

TEST_F(TFTipTest, MeterInsertWithoutATypeIsRefused)
{
    Focus(tip->DBGridTIdent);
    tip->DataSetInsert1Execute();
    EXPECT_TRUE(HasMessage(ULang::MeterTypeUndefined));
    EXPECT_EQ(Rows("TIdent"), 0);
}

TEST_F(TFTipTest, PostOfAMeterWithoutTypesIsCancelled)
{
    tip->DBGridTTipEnter(tip->DBGridTIdent);
    ASSERT_TRUE(dm->ADOIdent->Append());
    dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).SetValue(QStringLiteral("N1"));
    tip->DataSetPost1Execute();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::MeterTypeUndefined);
    EXPECT_EQ(messages[0].caption, ULang::CaptionError);
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(dm->ADOIdent->GetState(), DataSet::State::Browse);
    EXPECT_EQ(Rows("TIdent"), 0);
}

TEST_F(TFTipTest, LeavingAGridPostsItsEditAndARefusedEditStays)
{
    AddType(QStringLiteral("A"));
    AddMeter(QStringLiteral("N1"), QStringLiteral("A1"));
    AddMeter(QStringLiteral("N2"), QStringLiteral("A1"));
    ASSERT_TRUE(dm->ADOIdent->Edit());
    dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).SetValue(QStringLiteral("n1"));
    tip->DBGridTTipExit(tip->DBGridTIdent);
    EXPECT_TRUE(HasMessage(ULang::MeterExists));
    EXPECT_EQ(dm->ADOIdent->GetState(), DataSet::State::Edit);

    dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).SetValue(QStringLiteral("N3"));
    tip->DBGridTTipExit(tip->DBGridTIdent);
    EXPECT_EQ(dm->ADOIdent->GetState(), DataSet::State::Browse);
    EXPECT_EQ(Numbers(), (QStringList{QStringLiteral("N1"), QStringLiteral("N3")}));
}

class TFTipDeleteTest : public TFTipTest
{
  protected:
    void SetUp() override
    {
        TFTipTest::SetUp();
        AddType(QStringLiteral("Other"));
        AddMeter(QStringLiteral("X1"), QStringLiteral("A"));
        AddType(QStringLiteral("T"));
        for (int i = 1; i <= 5; ++i)
            AddMeter(QStringLiteral("N%1").arg(i), QStringLiteral("A"));
        answer = MsgAnswer::Yes;
    }
};

TEST_F(TFTipDeleteTest, MarkedRowsAreDeletedExactly)
{
    Focus(tip->DBGridTIdent);
    Mark(tip->DBGridTIdent, {0, 2, 4});
    tip->DataSetDelete1Execute();
    EXPECT_EQ(messages.back().text, ULang::AskDeleteSelected);
    EXPECT_EQ(messages.back().caption, ULang::CaptionDelete);
    EXPECT_EQ(Numbers(),
              (QStringList{QStringLiteral("N2"), QStringLiteral("N4"), QStringLiteral("X1")}));
    EXPECT_EQ(tip->DBGridTIdent->Selection(), DBGrid::SelectionKind::None);
}

TEST_F(TFTipDeleteTest, SelectAllDeletesEveryMeterOfTheCurrentTypeOnly)
{
    Focus(tip->DBGridTIdent);
    tip->DBGridTIdent->SelectAllRows();
    tip->DataSetDelete1Execute();
    EXPECT_EQ(Numbers(), QStringList{QStringLiteral("X1")});
    EXPECT_TRUE(dm->ADOIdent->IsEmpty());
}

TEST_F(TFTipDeleteTest, WithoutSelectionTheCurrentRowIsDeleted)
{
    Focus(tip->DBGridTIdent);
    ASSERT_TRUE(dm->ADOIdent->MoveTo(1));
    tip->DataSetDelete1Execute();
    EXPECT_EQ(Numbers().size(), 5);
    EXPECT_FALSE(Numbers().contains(QStringLiteral("N2")));
}

TEST_F(TFTipDeleteTest, AnsweringNoKeepsRowsAndSelection)
{
    answer = MsgAnswer::No;
    Focus(tip->DBGridTIdent);
    Mark(tip->DBGridTIdent, {0, 1});
    tip->DataSetDelete1Execute();
    EXPECT_EQ(Numbers().size(), 6);
    EXPECT_EQ(tip->DBGridTIdent->Selection(), DBGrid::SelectionKind::Rows);
}

TEST_F(TFTipDeleteTest, AnEditAnywhereInTheArchiveBlocksDeletion)
{
    Focus(tip->DBGridTIdent);
    ASSERT_TRUE(dm->ADOTip->Edit());
    tip->DataSetDelete1Execute();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::DeleteWhileEditing);
    EXPECT_EQ(Numbers().size(), 6);
}

struct DropCase {
    const char* target;
    const char* source;
    bool hasRows;
    bool accepted;
};

class DropAcceptance : public TFTipTest, public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(DropAcceptance, OnlyTheNamedSourceGridWithRowsIsAccepted)
{
    const DropCase& c = GetParam();
    DBGrid source;
    source.setObjectName(QLatin1String(c.source));
    auto* target = tip->findChild<DBGrid*>(QLatin1String(c.target));
    ASSERT_NE(target, nullptr);
    DragHasRows = c.hasRows;
    EXPECT_EQ(tip->DragOver(target, &source), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, DropAcceptance,
                         ::testing::Values(DropCase{"DBGridTTip", "DBGridTTipSinch", true, true},
                                           DropCase{"DBGridTIdent", "DBGridTTipSinch", true, true},
                                           DropCase{"DBGridTIdent", "DBGridSQL", true, true},
                                           DropCase{"DBGridData", "DBGridSData", true, true},
                                           DropCase{"DBGridTResult", "DBGridSData", true, true},
                                           DropCase{"DBGridTTip", "DBGridTTipSinch", false, false},
                                           DropCase{"DBGridTTip", "DBGridSQL", true, false},
                                           DropCase{"DBGridTTip", "DBGridSData", true, false},
                                           DropCase{"DBGridData", "DBGridTTipSinch", true, false},
                                           DropCase{"DBGridTIdent", "DBGridTResultSinch", true,
                                                    false}));

TEST_F(TFTipTest, ExternalDropWithTooFewColumnsIsRefusedBeforeThePanel)
{
    AddType(QStringLiteral("T"));
    QSqlQuery q(QSqlDatabase::database(dm->ConnectionName(), false));
    ASSERT_TRUE(q.exec(QStringLiteral("create table Ext (Num TEXT, Maker TEXT, Year INTEGER)")));
    DataSet ext(QStringLiteral("ADOExt"), dm->ConnectionName(), QString(),
                QStringLiteral("select * from Ext"));
    ext.Open();
    DBGrid source;
    source.setObjectName(QStringLiteral("DBGridSQL"));
    source.SetDataSet(&ext);
    tip->ATransIdentSQL(&source);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::NotEnoughData);
    EXPECT_FALSE(tip->SFCopyPanel->isVisible());
}

TEST_F(TFTipTest, BufferMetersDroppedOnTheTypesGridAreTransferred)
{
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferVerification(QDate(2007, 6, 15), 1, 2);
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N2"), QStringLiteral("A1"));
    DBGrid source;
    source.setObjectName(QStringLiteral("DBGridTTipSinch"));
    source.SetDataSet(dm->ADOSinchro);
    source.SelectAllRows();
    DragHasRows = true;
    tip->DragDrop(tip->DBGridTTip, &source);
    EXPECT_EQ(Rows("TIdent"), 2);
    EXPECT_EQ(Rows("TResult"), 2);
    EXPECT_EQ(tip->DBGridTIdent->model()->rowCount(), 2);
}

} // namespace
