// The meter types window: fill from the archive, clear, the new-type panel and deletion.
#include "support/archivefixture.h"
#include "ui/metertypes/tablenewtippanel.h"
#include "ui/metertypes/tftable.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace
{

class MeterTypesWindow : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        window = std::make_unique<TFTable>(*dm, nullptr, nullptr);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        ArchiveFixture::TearDown();
    }
    void AddDeviceType(const QString& tip, const QString& rate)
    {
        dm->ADOTableTip->Append();
        dm->ADOTableTip->FieldByName(QStringLiteral("PTip")).SetAsString(tip);
        dm->ADOTableTip->FieldByName(QStringLiteral("PReductRate")).SetAsString(rate);
        ASSERT_TRUE(dm->ADOTableTip->Post());
    }
    QStringList DeviceTypes()
    {
        QStringList out;
        for (int r = 0; r < dm->ADOTableTip->RecordCount(); ++r)
            out << dm->ADOTableTip->Value(r, 1).toString() + QLatin1Char('=') +
                       FloatToText(dm->ADOTableTip->Value(r, 2).toDouble());
        return out;
    }
    std::unique_ptr<TFTable> window;
};

TEST_F(MeterTypesWindow, FillFromTheArchiveReplacesTheTableAfterYes)
{
    AddType(QStringLiteral("СО-И446"), QStringLiteral("1600"));
    AddType(QStringLiteral("CE101"), QStringLiteral("6400"));
    AddDeviceType(QStringLiteral("OLD"), QStringLiteral("5"));

    answer = MsgAnswer::No;
    window->ASQLFromTable->trigger();
    EXPECT_EQ(DeviceTypes(), QStringList{QStringLiteral("OLD=5")});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::AskReplaceTypes);
    EXPECT_EQ(messages[0].caption, ULang::CaptionLoadTypes);

    answer = MsgAnswer::Yes;
    window->ASQLFromTable->trigger();
    EXPECT_EQ(DeviceTypes(),
              (QStringList{QStringLiteral("СО-И446=1600"), QStringLiteral("CE101=6400")}));
    EXPECT_EQ(dm->ADOTableTip->RecNo(), 0);
}

TEST_F(MeterTypesWindow, FillFromAnEmptyArchiveEmptiesTheTable)
{
    AddDeviceType(QStringLiteral("OLD"), QStringLiteral("5"));
    answer = MsgAnswer::Yes;
    window->ASQLFromTable->trigger();
    EXPECT_TRUE(DeviceTypes().isEmpty());
}

TEST_F(MeterTypesWindow, AFailedFillKeepsTheTableAsItWas)
{
    AddType(QStringLiteral("A"));
    AddDeviceType(QStringLiteral("OLD"), QStringLiteral("5"));
    dm->ADOExport->SetCommandText(
        QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON TTableTip BEGIN SELECT "
                       "RAISE(ABORT, 'refused'); END"));
    dm->ADOExport->Execute();
    answer = MsgAnswer::Yes;
    window->ASQLFromTable->trigger();
    EXPECT_EQ(messages.back().text, ULang::QueryFailed);
    EXPECT_EQ(DeviceTypes(), QStringList{QStringLiteral("OLD=5")});
    EXPECT_TRUE(dm->ADOTableTip->Active());
}

TEST_F(MeterTypesWindow, ClearAsksFirst)
{
    AddDeviceType(QStringLiteral("A"), QStringLiteral("1"));
    answer = MsgAnswer::No;
    window->AClear->trigger();
    EXPECT_EQ(DeviceTypes().size(), 1);
    answer = MsgAnswer::Yes;
    window->AClear->trigger();
    EXPECT_TRUE(DeviceTypes().isEmpty());
    EXPECT_EQ(messages.back().text, ULang::AskClearTable);
}

TEST_F(MeterTypesWindow, ConstantFieldTakesDigitsOnlyAndReadsZeroWhenEmptied)
{
    TableNewTipPanel& panel = *window->SFNewTip;
    panel.show();
    QTest::keyClicks(panel.EReduct, QStringLiteral("12a,.5-"));
    EXPECT_EQ(panel.EReduct->text(), QStringLiteral("0125")); // the panel opened with "0"
    panel.EReduct->selectAll();
    QTest::keyClick(panel.EReduct, Qt::Key_Backspace);
    EXPECT_TRUE(panel.EReduct->text().isEmpty());
    QTest::keyClick(panel.EReduct, Qt::Key_Return);
    EXPECT_EQ(panel.EReduct->text(), QStringLiteral("0"));
    EXPECT_TRUE(panel.isVisible()) << "Enter does not close the panel";
    QTest::keyClick(panel.EReduct, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(MeterTypesWindow, NewTypeIsCheckedAndAdded)
{
    AddDeviceType(QStringLiteral("СО-И446"), QStringLiteral("1600"));
    TableNewTipPanel& panel = *window->SFNewTip;
    struct Step {
        const char* tip;
        const char* reduct;
        const char* message; // nullptr: accepted
    } steps[] = {
        {"", "800", "Необходимо заполнить все поля данных!"},
        {"СО-И446  ", "800", "Такой тип счетчика уже существует!"},
        {"со-и446", "800", "Такой тип счетчика уже существует!"},
        {"ЦЭ6803", "800", nullptr},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.tip);
        messages.clear();
        QTimer::singleShot(0, &panel, [&panel, &s] {
            panel.ETip->setText(QString::fromUtf8(s.tip));
            panel.EReduct->setText(QString::fromUtf8(s.reduct));
            panel.btOK->click();
            if (panel.isVisible())
                panel.reject();
        });
        window->DataSetInsert1Execute();
        if (s.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, QString::fromUtf8(s.message));
            EXPECT_EQ(messages[0].caption, ULang::CaptionNewRecord);
            EXPECT_EQ(panel.ETip->text(), TrimTrailingBlanks(QString::fromUtf8(s.tip)));
        } else {
            EXPECT_TRUE(messages.empty());
        }
    }
    EXPECT_EQ(DeviceTypes(),
              (QStringList{QStringLiteral("СО-И446=1600"), QStringLiteral("ЦЭ6803=800")}));
    // The texts stay for the next showing.
    EXPECT_EQ(panel.ETip->text(), QStringLiteral("ЦЭ6803"));
}

TEST_F(MeterTypesWindow, DeleteBySelectionKind)
{
    for (int i = 0; i < 5; ++i)
        AddDeviceType(QStringLiteral("T%1").arg(i), QStringLiteral("100"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->DBGridTTable->setFocus();
    answer = MsgAnswer::Yes;

    dm->ADOTableTip->MoveTo(2);
    window->DataSetDelete1Execute(); // no marks: the current row
    EXPECT_EQ(DeviceTypes().size(), 4);
    EXPECT_FALSE(DeviceTypes().contains(QStringLiteral("T2=100")));

    auto* sel = window->DBGridTTable->selectionModel();
    for (int r : {0, 3})
        sel->select(window->DBGridTTable->Model()->index(r, 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->DataSetDelete1Execute();
    EXPECT_EQ(DeviceTypes(), (QStringList{QStringLiteral("T1=100"), QStringLiteral("T3=100")}));

    messages.clear();
    window->DBGridTTable->SelectAllRows();
    window->DataSetDelete1Execute();
    EXPECT_TRUE(DeviceTypes().isEmpty());
    EXPECT_EQ(messages.size(), 1u) << "one question for all rows";
    EXPECT_EQ(window->DBGridTTable->Selection(), DBGrid::SelectionKind::None);
}

TEST_F(MeterTypesWindow, RowCommandsFollowTheTablesState)
{
    for (const char* t : {"T0", "T1", "T2"})
        AddDeviceType(QLatin1String(t), QStringLiteral("100"));
    dm->ADOTableTip->First();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto button = [this](QAction* a) {
        for (QToolBar* bar : window->findChildren<QToolBar*>()) {
            if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
                return b;
        }
        return static_cast<QToolButton*>(nullptr);
    };
    // Which of first, prior, next, last, post and cancel can be clicked.
    auto enabled = [&] {
        std::string out;
        for (QAction* a : {window->DataSetFirst1, window->DataSetPrior1, window->DataSetNext1,
                           window->DataSetLast1, window->DataSetPost1, window->DataSetCancel1})
            out += button(a)->isEnabled() ? '1' : '0';
        return out;
    };
    EXPECT_EQ(enabled(), "001100") << "on the first row, nothing edited";
    QTest::mouseClick(button(window->DataSetLast1), Qt::LeftButton);
    EXPECT_EQ(dm->ADOTableTip->RecNo(), 2);
    EXPECT_EQ(enabled(), "110000") << "on the last row";
    QTest::mouseClick(button(window->DataSetPrior1), Qt::LeftButton);
    EXPECT_EQ(enabled(), "111100") << "in the middle";

    // Typing into a cell edits the row: post and cancel come on, and post stores it.
    DBGrid* grid = window->DBGridTTable;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 1)).center());
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("250"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor hands its text over once Enter is handled
    EXPECT_EQ(enabled(), "111111") << "a row being edited";
    QTest::mouseClick(button(window->DataSetPost1), Qt::LeftButton);
    EXPECT_EQ(enabled(), "111100") << "posted";
    EXPECT_EQ(DeviceTypes().value(1), QStringLiteral("T1=250"));
}

} // namespace
