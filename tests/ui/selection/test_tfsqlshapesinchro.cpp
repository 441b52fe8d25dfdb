// The buffer selection opened from the exchange window as a person does it: the command's button,
// clicks on marks and conditions, the run button, and the exchange window's meter count.
#include "selectiondialogtest.h"

#include "support/fakeport.h"
#include "support/faketimer.h"

#include "ui/exchange/tfsinchro.h"
#include "ui/selection/tfsqlshape.h"
#include "ui/selection/tfsqlshapesinchro.h"
#include "widgets/dbgrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace
{

class BufferSelectionDialogTest : public SelectionDialogTest
{
  protected:
    void SetUp() override
    {
        SelectionDialogTest::SetUp();
        exchange = std::make_unique<TFSinchro>(*dm, port, timerRequest, timerColor);
        shape = std::make_unique<TFSQLShape>(*dm);
        dialog = std::make_unique<TFSQLShapeSinchro>(*dm);
        // Wired as start-up wires them.
        exchange->SetBufferSelection([this] {
            SelectionDialog::Open(*dialog, {shape.get(), dialog.get()});
        });
        dialog->UpdateMeterCount = [this] { exchange->UpdateMeterCount(); };
        exchange->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(exchange.get()));
    }
    void TearDown() override
    {
        dialog.reset();
        shape.reset();
        exchange.reset();
        SelectionDialogTest::TearDown();
    }
    // Opens the dialog with the exchange window's command, does what the user does in it and
    // returns when the dialog has closed.
    void Select(const std::function<void()>& inDialog)
    {
        bool ran = false;
        QTimer::singleShot(0, dialog.get(), [&] {
            ran = true;
            EXPECT_TRUE(dialog->isVisible());
            inDialog();
            if (dialog->isVisible())
                Click(dialog->AGenerateSQL);
        });
        Click(exchange->ASQLfromArchiv);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog->isVisible());
    }
    QStringList Numbers() { return SortedRows(QStringLiteral("SELECT PNumber FROM TSTip")); }

    FakePort port;
    FakeTimer timerRequest, timerColor;
    std::unique_ptr<TFSinchro> exchange;
    std::unique_ptr<TFSQLShape> shape;
    std::unique_ptr<TFSQLShapeSinchro> dialog;
};

TEST_F(BufferSelectionDialogTest, ByTypeAndNumberAndTheCountFollows)
{
    EXPECT_TRUE(exchange->ASQLfromArchiv->isEnabled());
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 0 "));
    Select([this] {
        Click(dialog->CBIdent);
        ClickMark(dialog->TV1, 1, 11); // a meter checks its type
        EXPECT_TRUE(Marked(dialog->TV1, 0, 1));
        ClickMark(dialog->TV1, 0, 2); // a type checks its meters
        EXPECT_TRUE(Marked(dialog->TV1, 1, 20));
    });
    EXPECT_EQ(Numbers(), (QStringList{"102", "201"}));
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 2 "));
    EXPECT_EQ(exchange->DBGridTTipSinch->Model()->rowCount(), 2);

    // Unmarking the last marked meter of a type unmarks the type; marks stay between openings.
    Select([this] {
        EXPECT_TRUE(Marked(dialog->TV1, 1, 11));
        ClickMark(dialog->TV1, 1, 11);
        EXPECT_FALSE(Marked(dialog->TV1, 0, 1));
    });
    EXPECT_EQ(Numbers(), (QStringList{"201"}));
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 1 "));
}

TEST_F(BufferSelectionDialogTest, ByErrorRangeWithBothBoundsLeftOut)
{
    Select([this] {
        Click(dialog->CBMistakeCondition);
        Click(dialog->RBResultFromBefore);
        TypeText(dialog->EFBFrom, QStringLiteral("1"));
        TypeText(dialog->EFBBefore, QStringLiteral("2"));
    });
    EXPECT_EQ(Numbers(), (QStringList{"201"})) << "only the error 1.5 lies strictly inside";
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 1 "));
}

TEST_F(BufferSelectionDialogTest, ByResultDateAndWithNothingChosenEveryMeter)
{
    Select([this] {
        Click(dialog->CheckBoxData);
        Click(dialog->RBDataAfter);
        TypeDate(dialog->DTPAfter, QDate(2006, 3, 15));
    });
    EXPECT_EQ(Numbers(), (QStringList{"101", "201"}));
    Select([this] { Click(dialog->CheckBoxData); });
    EXPECT_EQ(Numbers(), (QStringList{"101", "102", "201", "401"}));
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 4 "));
}

TEST_F(BufferSelectionDialogTest, MinusCannotBeTyped)
{
    Click(dialog->CBMistakeCondition);
    TypeText(dialog->EBefore, QStringLiteral("-1,5"));
    EXPECT_EQ(dialog->EBefore->text(), QStringLiteral("1.5"));
    EXPECT_EQ(dialog->RBDataCondition, nullptr) << "no Min/Max choices here";
}

TEST_F(BufferSelectionDialogTest, RefusedRunKeepsTheOldMetersAndSaysSo)
{
    Select([] {});
    ASSERT_EQ(Numbers().size(), 4);
    Exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON TSTip WHEN NEW.PNumber = "
                        "'102' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    Select([this] {
        Click(dialog->CBIdent);
        ClickMark(dialog->TV1, 1, 11);
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Ошибка запроса к базе данных!"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(Numbers().size(), 4);
    EXPECT_EQ(exchange->LabelNameCountSh->text(), QStringLiteral("Количество - 4 "));
}

TEST_F(BufferSelectionDialogTest, NewMeterAppearsAtTheNextOpening)
{
    dm->ADOTip->Requery();
    ASSERT_TRUE(dm->ADOTip->Locate({QStringLiteral("PTipCH")}, {QStringLiteral("Пустой")}));
    ASSERT_TRUE(dm->AddIdent(QStringLiteral("301"), QStringLiteral("x"), QStringLiteral("m"),
                             QStringLiteral("2001")));
    Select([this] {
        Node(dialog->TV1, 1, static_cast<qint32>(dm->ADOIdent->Bookmark()));
        EXPECT_EQ(dialog->TV1->Model()->Tree().Count(0), 4);
    });
    EXPECT_FALSE(ArchiveChanged);
    EXPECT_EQ(shape->TV1->Model()->Tree().Count(1), 3)
        << "without a verification the meter is not in the query builder's tree";
}

} // namespace
