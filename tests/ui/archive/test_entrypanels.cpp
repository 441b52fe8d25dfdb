// The new-type and new-meter panels: key filters, normalising, completeness and duplicates.
#include "support/transferfixture.h"
#include "ui/archive/sfnewident.h"
#include "ui/archive/sfnewtip.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

class EntryPanelTest : public TransferFixture
{
};

struct KeyCase {
    const char* field; // "EUnom", "EReduct", "EYear"
    const char* typed;
    const char* shown;      // text after typing
    const char* afterEnter; // text after Enter
};

class TypedKeys : public EntryPanelTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(TypedKeys, OnlyNumberKeysAreTakenAndEnterNormalisesWithoutClosing)
{
    const KeyCase& c = GetParam();
    SFNewTip tipPanel(*dm);
    SFNewIdent identPanel(*dm);
    const QString field = QString::fromUtf8(c.field);
    QDialog* panel =
        field == QStringLiteral("EYear") ? static_cast<QDialog*>(&identPanel) : &tipPanel;
    QLineEdit* edit = field == QStringLiteral("EYear")     ? identPanel.EYear
                      : field == QStringLiteral("EReduct") ? tipPanel.EReduct
                                                           : tipPanel.EUnom;
    panel->show();
    edit->clear();
    QTest::keyClicks(edit, QString::fromUtf8(c.typed));
    EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), QString::fromUtf8(c.afterEnter));
    EXPECT_TRUE(panel->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedKeys,
                         ::testing::Values(KeyCase{"EUnom", "12,5", "12.5", "12.5"},
                                           KeyCase{"EUnom", "-2a2b0,0", "220.0", "220"},
                                           KeyCase{"EUnom", "0,50", "0.50", "0.5"},
                                           KeyCase{"EReduct", "1,6x00", "1600", "1600"},
                                           KeyCase{"EReduct", "", "", "0"},
                                           KeyCase{"EYear", "20o04", "2004", "2004"}));

TEST_F(EntryPanelTest, ShowingTheTypePanelFillsEmptyNumbersWithZero)
{
    SFNewTip panel(*dm);
    panel.show();
    for (QLineEdit* e : {panel.EUnom, panel.EInom, panel.EReduct, panel.EClassT})
        EXPECT_EQ(e->text(), QStringLiteral("0"));
    EXPECT_EQ(panel.ETip->text(), QString());
}

TEST_F(EntryPanelTest, EscapeClosesThePanelAsCancelled)
{
    SFNewTip panel(*dm);
    panel.show();
    QTest::keyClick(panel.ETip, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.result(), QDialog::Rejected);
}

TEST_F(EntryPanelTest, TypePanelRefusesIncompleteInputAndDuplicatesIncludingCyrillicCase)
{
    AddType(QStringLiteral("СО-И446"));
    SFNewTip panel(*dm);
    panel.show();
    panel.btOKClick();
    EXPECT_TRUE(HasMessage(ULang::FillAllFields));
    EXPECT_TRUE(panel.isVisible());

    messages.clear();
    panel.ETip->setText(QStringLiteral("со-и446  "));
    panel.btOKClick();
    EXPECT_EQ(panel.ETip->text(), QStringLiteral("со-и446"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::TypeExists);
    EXPECT_EQ(messages[0].caption, ULang::CaptionNewRecord);
    EXPECT_EQ(messages[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(panel.isVisible());

    messages.clear();
    panel.ETip->setText(QStringLiteral("СО-\"И\"4"));
    panel.btOKClick();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(panel.result(), QDialog::Accepted);
}

TEST_F(EntryPanelTest, MeterPanelRefusesAMeterOfTheSameTypeOnly)
{
    qint64 t1 = AddType(QStringLiteral("T1"));
    AddMeter(QStringLiteral("N1"), QStringLiteral("A1"));
    AddType(QStringLiteral("T2"));
    SFNewIdent panel(*dm);
    panel.show();
    panel.ENum->setText(QStringLiteral("n1  "));
    panel.EAddress->setText(QStringLiteral("a1"));
    panel.EMaker->setText(QStringLiteral("Завод"));
    panel.EYear->setText(QStringLiteral("2004"));
    panel.btOKClick(); // current type T2: another type's meter is no repeat
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(panel.ENum->text(), QStringLiteral("n1"));

    ASSERT_TRUE(dm->ADOTip->GotoBookmark(t1));
    panel.show();
    panel.btOKClick();
    EXPECT_TRUE(HasMessage(ULang::MeterExists));
    EXPECT_TRUE(panel.isVisible());
}

TEST_F(EntryPanelTest, MeterPanelLimitsTheMakerAndRefusesAYearBeyondThirtyTwoBits)
{
    AddType(QStringLiteral("T1"));
    SFNewIdent panel(*dm);
    panel.show();
    EXPECT_EQ(panel.EMaker->maxLength(), 16);
    panel.ENum->setText(QStringLiteral("N1"));
    panel.EAddress->setText(QStringLiteral("A1"));
    panel.EMaker->setText(QStringLiteral("Завод"));
    panel.EYear->setText(QStringLiteral("99999999999"));
    panel.btOKClick();
    EXPECT_TRUE(HasMessage(ULang::NotAnInteger.arg(QStringLiteral("99999999999"))));
    EXPECT_EQ(panel.EYear->text(), QStringLiteral("99999999999"));
    EXPECT_TRUE(panel.isVisible());
}

} // namespace
