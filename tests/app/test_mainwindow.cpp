// The main window: system buttons, child windows that only minimize, port settings, active grid,
// help.
#include "app/helpwindow.h"
#include "app/sfconfigcom.h"
#include "app/tfexpert.h"
#include "support/archivefixture.h"
#include "widgets/dbgrid.h"
#include "widgets/mdichild.h"

#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

// A child window with one grid and one edit field.
class GridChild : public MdiChild
{
  public:
    GridChild(const QString& caption, DataSet* ds)
        : MdiChild(caption, caption + QStringLiteral(".REGEH"))
    {
        auto* body = new QWidget;
        auto* layout = new QVBoxLayout(body);
        grid = new DBGrid;
        grid->SetDataSet(ds);
        edit = new QLineEdit;
        button = new QPushButton(QStringLiteral("OK"));
        layout->addWidget(grid);
        layout->addWidget(edit);
        layout->addWidget(button);
        setWidget(body);
        TrackGrid(grid);
    }
    DBGrid* grid;
    QLineEdit* edit;
    QPushButton* button;
};

class MainWindowTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        expert = std::make_unique<TFExpert>(*dm);
        a = new GridChild(QStringLiteral("Архив"), dm->ADOTip);
        b = new GridChild(QStringLiteral("Типы счетчиков"), dm->ADOTableTip);
        expert->AddChild(a);
        expert->AddChild(b);
        expert->resize(1000, 700);
        expert->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        expert.reset();
        ArchiveFixture::TearDown();
    }
    std::unique_ptr<TFExpert> expert;
    GridChild* a = nullptr;
    GridChild* b = nullptr;
};

TEST_F(MainWindowTest, SystemButtonsActOnTheMaximizedChildOnly)
{
    EXPECT_FALSE(expert->SystemButtonsVisible());
    a->showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(expert->SystemButtonsVisible());
    expert->AMinWin->trigger();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_FALSE(b->ShownMaximized());
    EXPECT_FALSE(expert->SystemButtonsVisible());

    // With no maximized child a still-visible button changes nothing.
    expert->ShowSystemButtons();
    expert->ANormWin->trigger();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_TRUE(expert->SystemButtonsVisible());

    b->showMaximized();
    expert->ACloseWin->trigger();
    EXPECT_TRUE(b->isMinimized());
    EXPECT_TRUE(expert->MdiArea()->subWindowList().contains(b));
}

TEST_F(MainWindowTest, ClosingAChildOnlyMinimizesIt)
{
    a->close();
    QApplication::processEvents();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_EQ(expert->MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(a->grid->GetDataSet(), dm->ADOTip);
}

TEST_F(MainWindowTest, PortListsIgnoreTheKeyboard)
{
    SFConfigCom* panel = expert->SFConfigComPanel();
    for (MouseOnlyComboBox* box : {panel->CBNumCom, panel->CBSpeedCom}) {
        QString before = box->currentText();
        for (Qt::Key key :
             {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_C, Qt::Key_1, Qt::Key_PageDown})
            QTest::keyClick(box, key);
        EXPECT_EQ(box->currentText(), before);
    }
    EXPECT_EQ(panel->CBNumCom->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(panel->CBSpeedCom->currentText(), QStringLiteral("115200"));
}

TEST_F(MainWindowTest, PortChoiceSurvivesARestart)
{
    expert->SFConfigComPanel()->CBNumCom->setCurrentIndex(1); // as a mouse choice does
    expert->SFConfigComPanel()->CBSpeedCom->setCurrentIndex(0);
    expert->close();
    expert.reset();
    expert = std::make_unique<TFExpert>(*dm);
    expert->show();
    EXPECT_EQ(expert->ComPortText(), QStringLiteral("COM2"));
    EXPECT_EQ(expert->ComSpeedText(), QStringLiteral("19200"));
}

TEST_F(MainWindowTest, ABadStoredPortIsReportedAndNotTaken)
{
    expert.reset();
    dm->REGEH().SetValue(SFConfigCom::Section(), QStringLiteral("SFConfigCom.CBNumCom.Text"),
                         QStringLiteral("COM9"));
    expert = std::make_unique<TFExpert>(*dm);
    expert->show();
    EXPECT_EQ(expert->ComPortText(), QStringLiteral("COM1"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("COM9")));
}

TEST_F(MainWindowTest, ActiveGridFollowsTheFocusContract)
{
    expert->MdiArea()->setActiveSubWindow(a);
    a->grid->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(expert->ActiveGrid(), a->grid);
    // Focus to another control of the same window: none.
    a->edit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(expert->ActiveGrid(), nullptr);
    a->grid->setFocus();
    QApplication::processEvents();
    // Switching to a window whose focus is on a button keeps the grid used before.
    b->button->setFocus();
    expert->MdiArea()->setActiveSubWindow(b);
    QApplication::processEvents();
    EXPECT_EQ(expert->ActiveGrid(), a->grid);
    // Select all acts on the active grid.
    expert->ASelectAll->trigger();
    EXPECT_EQ(a->grid->Selection(), DBGrid::SelectionKind::None); // the types view is empty
}

TEST_F(MainWindowTest, ChildPlacementIsSavedAndRestored)
{
    a->setGeometry(10, 20, 400, 300);
    b->showMaximized();
    expert->SaveSettings();
    GridChild again(QStringLiteral("Типы счетчиков"), dm->ADOTableTip);
    expert->MdiArea()->addSubWindow(&again);
    again.RestorePlacement(dm->REGEH());
    EXPECT_TRUE(again.RestoredMaximized());
    GridChild first(QStringLiteral("Архив"), dm->ADOTip);
    expert->MdiArea()->addSubWindow(&first);
    first.RestorePlacement(dm->REGEH());
    EXPECT_FALSE(first.RestoredMaximized());
    EXPECT_EQ(first.geometry(), QRect(10, 20, 400, 300));
    expert->MdiArea()->removeSubWindow(&again);
    expert->MdiArea()->removeSubWindow(&first);
}

TEST_F(MainWindowTest, HelpOpensBelowTheCurrentDirectory)
{
    QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    expert->AHelp->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(dir.path() + QStringLiteral("/help/КВАРЦЕТ KM350.html")));
    QDir(dir.path()).mkdir(QStringLiteral("help"));
    QFile::copy(QStringLiteral(KM350_HELP_FILE),
                dir.filePath(QStringLiteral("help/КВАРЦЕТ KM350.html")));
    expert->AHelp->trigger();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(expert->Help()->isVisible());
    EXPECT_TRUE(expert->Help()->Browser()->toPlainText().contains(QStringLiteral("Кварцет KM350")));
    EXPECT_TRUE(expert->Help()->ShowTopic(8));
    QDir::setCurrent(saved);
}

} // namespace
