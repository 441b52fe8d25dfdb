// The query builder used as a person uses it: mouse clicks on check boxes, radio buttons, tree
// marks and the run button, typed dates and error bounds.
#include "selectiondialogtest.h"

#include "ui/selection/tfsqlshape.h"
#include "widgets/dbgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>

namespace
{

class QueryBuilderTest : public SelectionDialogTest
{
  protected:
    void SetUp() override
    {
        SelectionDialogTest::SetUp();
        grid = std::make_unique<DBGrid>();
        grid->SetDataSet(dm->ADODataSetSQL);
        dialog = std::make_unique<TFSQLShape>(*dm);
        dialog->SetResultGrid(grid.get(), [this] { ++exportUpdates; });
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void TearDown() override
    {
        dialog.reset();
        grid.reset();
        SelectionDialogTest::TearDown();
    }
    void Page(int page)
    {
        QTest::mouseClick(dialog->TabSet, Qt::LeftButton, Qt::NoModifier,
                          dialog->TabSet->tabRect(page).center());
        ASSERT_EQ(dialog->Pages->currentIndex(), page);
    }
    void CheckColumns(const QStringList& boxes)
    {
        Page(0);
        for (const QString& name : boxes)
            Click(dialog->findChild<QCheckBox*>(name));
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (int c = 0; c < grid->Model()->columnCount(); ++c)
            titles << grid->Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return titles;
    }
    QStringList Cells() const
    {
        QStringList rows;
        for (int r = 0; r < grid->Model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->Model()->columnCount(); ++c)
                cells << grid->Model()->index(r, c).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        rows.sort();
        return rows;
    }

    std::unique_ptr<DBGrid> grid;
    std::unique_ptr<TFSQLShape> dialog;
    int exportUpdates = 0;
};

TEST_F(QueryBuilderTest, NothingCheckedIsToldAndTheDialogStaysOpen)
{
    Click(dialog->AGenerateSQL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Ни одно поле данных не выбранно"));
    EXPECT_EQ(messages[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(exportUpdates, 0);
}

TEST_F(QueryBuilderTest, MarksFollowTheRuleAndOnlyWhileSelectionByTreeIsChosen)
{
    Page(1);
    CheckTreeView* tree = dialog->TV1;
    EXPECT_FALSE(dialog->PTV->isEnabled());
    ClickMark(tree, 0, 1);
    EXPECT_FALSE(Marked(tree, 0, 1)) << "the tree is frozen until by type and number is chosen";

    Click(dialog->CBIdent);
    ASSERT_TRUE(dialog->PTV->isEnabled());
    ClickMark(tree, 0, 1); // type СО-2 with its meters and verifications
    for (qint32 v : {100, 101, 110})
        EXPECT_TRUE(Marked(tree, 2, v));
    ClickMark(tree, 2, 101);
    EXPECT_FALSE(Marked(tree, 2, 101));
    EXPECT_TRUE(Marked(tree, 1, 10)) << "verification 100 still holds the meter";
    ClickMark(tree, 2, 100);
    EXPECT_FALSE(Marked(tree, 1, 10));
    EXPECT_TRUE(Marked(tree, 0, 1)) << "meter 102 still holds the type";
    ClickMark(tree, 2, 110);
    EXPECT_FALSE(Marked(tree, 1, 11));
    EXPECT_FALSE(Marked(tree, 0, 1));

    // A click on a caption only selects.
    QModelIndex meter = Node(tree, 1, 20);
    QTest::mouseClick(
        tree->viewport(), Qt::LeftButton, Qt::NoModifier,
        QPoint(tree->MarkRect(meter).right() + 15, tree->visualRect(meter).center().y()));
    EXPECT_EQ(tree->currentIndex(), meter);
    EXPECT_FALSE(Marked(tree, 1, 20));
}

TEST_F(QueryBuilderTest, SelectAllFromTheToolbarAndThePopupMenu)
{
    Page(1);
    Click(dialog->CBIdent);
    Click(dialog->ASelectAll);
    EXPECT_TRUE(Marked(dialog->TV1, 2, 200));
    Click(dialog->ADeSelectAll);
    EXPECT_FALSE(Marked(dialog->TV1, 0, 1));

    // The popup menu over the tree offers the same two commands.
    QTimer::singleShot(0, dialog.get(), [this] {
        QMenu* menu = dialog->PopupMenu;
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(dialog->ASelectAll).center());
    });
    // A right click reaches a widget as the context menu event the window system sends for it.
    QPoint at(30, 8);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at,
                                 dialog->TV1->viewport()->mapToGlobal(at));
    QApplication::sendEvent(dialog->TV1->viewport(), &rightClick);
    QTRY_VERIFY(!dialog->PopupMenu->isVisible());
    EXPECT_TRUE(Marked(dialog->TV1, 2, 110));
}

TEST_F(QueryBuilderTest, RunWithDateAndErrorRangesFillsTheGridWithTitles)
{
    CheckColumns({"CBTip", "CBNumber", "CBDateMeasure", "CBMistakeMeasure"});
    Page(1);
    Click(dialog->CheckBoxData);
    Click(dialog->RBDataFromBefore);
    EXPECT_TRUE(dialog->DTPFBFrom->isEnabled());
    EXPECT_FALSE(dialog->DTPBefore->isEnabled());
    TypeDate(dialog->DTPFBFrom, QDate(2006, 3, 14));
    TypeDate(dialog->DTPFBBefore, QDate(2006, 3, 16)); // the 16th itself is left out
    Click(dialog->CBMistakeCondition);
    Click(dialog->RBResultFromBefore);
    TypeText(dialog->EFBFrom, QStringLiteral("0,3")); // 0.3 itself is kept
    TypeText(dialog->EFBBefore, QStringLiteral("1"));
    Click(dialog->AGenerateSQL);

    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(exportUpdates, 1);
    EXPECT_EQ(LastSelectState, 1);
    EXPECT_EQ(Titles(), (QStringList{"Тип", "Номер", "Дата", "Погрешность, %"}));
    EXPECT_EQ(Cells(), (QStringList{"СО-2|101|15/03/06|1"}));
    EXPECT_EQ(LastSelectValues,
              (QVariantList{QStringLiteral("2006-03-14"), QStringLiteral("2006-03-16"), 0.3, 1.0}));
}

TEST_F(QueryBuilderTest, BothVoltagesAreTitledAlike)
{
    CheckColumns({"CBUSamohod", "CBUMeasure"});
    Click(dialog->AGenerateSQL);
    EXPECT_EQ(Titles(), (QStringList{"U, В", "U, В"}));
}

TEST_F(QueryBuilderTest, ConditionChoicesLockTheirColumn)
{
    Page(1);
    Click(dialog->CheckBoxData);
    EXPECT_FALSE(dialog->CBDataCondition->isEnabled());
    Click(dialog->RBDataCondition);
    EXPECT_TRUE(dialog->CBDataCondition->isEnabled());
    EXPECT_TRUE(dialog->CBDateMeasure->isChecked());
    EXPECT_FALSE(dialog->CBDateMeasure->isEnabled());
    Click(dialog->CheckBoxData);
    EXPECT_TRUE(dialog->CBDateMeasure->isEnabled());
    EXPECT_TRUE(dialog->CBDateMeasure->isChecked());
    EXPECT_FALSE(dialog->GroupBoxData->isEnabled());

    Click(dialog->CBMistakeCondition);
    Click(dialog->RBResultCondition);
    EXPECT_FALSE(dialog->CBMistakeMeasure->isEnabled());
    EXPECT_TRUE(dialog->CBMistakeMeasure->isChecked());
    Click(dialog->RBResultAfter);
    EXPECT_TRUE(dialog->CBMistakeMeasure->isEnabled());
    EXPECT_TRUE(dialog->EAfter->isEnabled());
    EXPECT_FALSE(dialog->EBefore->isEnabled());
}

TEST_F(QueryBuilderTest, MinMaxListsArePickedNotTyped)
{
    Page(1);
    Click(dialog->CheckBoxData);
    Click(dialog->RBDataCondition);
    dialog->CBDataCondition->setFocus();
    QTest::keyClicks(dialog->CBDataCondition, QStringLiteral("Min"));
    EXPECT_EQ(dialog->CBDataCondition->currentText(), QStringLiteral("Max"));
    QTest::keyClick(dialog->CBDataCondition, Qt::Key_Up);
    EXPECT_EQ(dialog->CBDataCondition->currentText(), QStringLiteral("Min"));
}

struct KeyCase {
    const char* typed;
    bool enter;
    const char* shown;
};

TEST_F(QueryBuilderTest, ErrorEditsTakeNumbersOnly)
{
    Page(1);
    Click(dialog->CBMistakeCondition);
    const KeyCase cases[] = {
        {"1,5", true, "1.5"},           // the comma types a point
        {"1,50", true, "1.5"},          // Enter writes the number back
        {"-2a3", false, "-23"},         // letters are not typed; the minus is
        {"12345678", false, "1234567"}, // seven characters at most
        {"", true, "0"},                // an emptied edit is 0 after Enter
    };
    for (const KeyCase& c : cases) {
        TypeText(dialog->EBefore, QString::fromUtf8(c.typed));
        if (c.enter)
            QTest::keyClick(dialog->EBefore, Qt::Key_Return);
        EXPECT_EQ(dialog->EBefore->text(), QString::fromUtf8(c.shown)) << c.typed;
    }
    EXPECT_TRUE(dialog->isVisible()) << "Enter in an edit does not run or close anything";
    // Leaving an emptied edit also writes 0.
    TypeText(dialog->EBefore, QString());
    QTest::keyClick(dialog->EBefore, Qt::Key_Tab);
    EXPECT_EQ(dialog->EBefore->text(), QStringLiteral("0"));
}

TEST_F(QueryBuilderTest, UpsideDownErrorRangeOrEmptyBoundDoesNothing)
{
    CheckColumns({"CBTip"});
    Page(1);
    Click(dialog->CBMistakeCondition);
    Click(dialog->RBResultFromBefore);
    TypeText(dialog->EFBFrom, QStringLiteral("2"));
    TypeText(dialog->EFBBefore, QStringLiteral("1"));
    LastSelectState = 2;
    Click(dialog->AGenerateSQL);
    TypeText(dialog->EFBBefore, QString()); // emptied, and the button keeps the focus where it is
    Click(dialog->AGenerateSQL);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(exportUpdates, 0);
    EXPECT_EQ(LastSelectState, 2);
}

TEST_F(QueryBuilderTest, FailedRunDisablesExportAndStillCloses)
{
    CheckColumns({"CBTip", "CBMistakeMeasure"});
    Exec(QStringLiteral("ALTER TABLE TResult RENAME TO TResultGone"));
    Click(dialog->AGenerateSQL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Ошибка запроса к базе данных!"));
    EXPECT_EQ(LastSelectState, 2);
    EXPECT_EQ(exportUpdates, 1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(QueryBuilderTest, OpeningRebuildsTheTreesOnlyAfterTheArchiveChanged)
{
    dialog->hide();
    Page(1);
    Click(dialog->CBIdent);
    ClickMark(dialog->TV1, 0, 2);
    auto openAndClose = [this] {
        QTimer::singleShot(0, dialog.get(), [this] {
            ASSERT_TRUE(dialog->isVisible());
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        });
        SelectionDialog::Open(*dialog, {dialog.get()});
    };
    openAndClose();
    EXPECT_TRUE(Marked(dialog->TV1, 0, 2)) << "marks stay between openings";

    dm->ADOTip->Requery();
    ASSERT_TRUE(dm->ADOTip->Locate({QStringLiteral("PTipCH")}, {QStringLiteral("ЦЭ6807")}));
    ASSERT_TRUE(dm->AddIdent(QStringLiteral("202"), QStringLiteral("x"), QStringLiteral("m"),
                             QStringLiteral("2001")));
    ASSERT_TRUE(ArchiveChanged);
    openAndClose();
    EXPECT_FALSE(ArchiveChanged);
    EXPECT_FALSE(Marked(dialog->TV1, 0, 2)) << "a rebuilt tree starts unchecked";
}

} // namespace
