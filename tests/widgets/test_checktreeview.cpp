// The check-mark tree view: model contract, and marks that move only on a click on the mark.
#include "support/testapp.h"

#include "widgets/checktreeview.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

class CheckTreeViewTest : public ::testing::Test
{
  protected:
    CheckTreeViewTest() : owner((TestApp(), std::make_unique<CheckTreeView>())) {}

    void SetUp() override
    {
        CheckTree tree(3);
        tree.Add(0, 1, u"ТИП-1");
        tree.Add(1, 10, u"1001");
        tree.Add(2, 100, u"15/03/06");
        tree.Add(2, 101, u"16/03/06");
        tree.Add(1, 11, u"1002");
        tree.Add(2, 110, u"17/03/06");
        tree.Add(0, 2, u"ТИП-2");
        tree.Add(1, 20, u"2001");
        tree.Add(2, 200, u"18/03/06");
        view.Model()->SetTree(std::move(tree));
        tester = std::make_unique<QAbstractItemModelTester>(
            view.Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        view.resize(300, 400);
        view.expandAll();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QModelIndex Node(int level, qint32 key) const
    {
        const CheckTree& t = view.Model()->Tree();
        for (int i = 0; i < t.Count(level); ++i) {
            if (t.Key(level, i) == key)
                return view.Model()->IndexOf(level, i);
        }
        return {};
    }
    bool Checked(int level, qint32 key) const
    {
        return Node(level, key).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    QPoint OnMark(const QModelIndex& index) const { return view.MarkRect(index).center(); }
    QPoint OnCaption(const QModelIndex& index) const
    {
        QRect item = view.visualRect(index);
        return QPoint(view.MarkRect(index).right() + 20, item.center().y());
    }

    std::unique_ptr<CheckTreeView> owner;
    CheckTreeView& view = *owner;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(CheckTreeViewTest, ShowsCaptionsKeysAndUncheckedMarks)
{
    QModelIndex verification = Node(2, 101);
    EXPECT_EQ(verification.data().toString(), QStringLiteral("16/03/06"));
    EXPECT_EQ(verification.data(CheckTreeModel::KeyRole).toInt(), 101);
    EXPECT_EQ(verification.parent(), Node(1, 10));
    EXPECT_EQ(view.Model()->rowCount(Node(0, 1)), 2);
    EXPECT_FALSE(Checked(2, 101));
    EXPECT_FALSE(view.Model()->flags(verification) & Qt::ItemIsUserCheckable);
}

TEST_F(CheckTreeViewTest, ClickOnMarkTogglesWithTheRuleAndSelectsTheNode)
{
    QSignalSpy changed(view.Model(), &QAbstractItemModel::dataChanged);
    QModelIndex verification = Node(2, 101);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(verification));
    EXPECT_TRUE(Checked(2, 101));
    EXPECT_TRUE(Checked(1, 10));
    EXPECT_TRUE(Checked(0, 1));
    EXPECT_FALSE(Checked(2, 100));
    EXPECT_EQ(view.currentIndex(), verification);
    EXPECT_GE(changed.count(), 3);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(Node(0, 1)));
    EXPECT_FALSE(Checked(0, 1)) << "a partly checked type is unchecked with everything below";
    EXPECT_FALSE(Checked(2, 101));
}

TEST_F(CheckTreeViewTest, CaptionClicksKeysAndRightClicksLeaveMarksAlone)
{
    QModelIndex meter = Node(1, 11);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnCaption(meter));
    EXPECT_EQ(view.currentIndex(), meter);
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, OnMark(meter));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Space);
    QTest::keyClick(&view, Qt::Key_Return);
    for (int level = 0; level < 3; ++level)
        EXPECT_TRUE(view.Model()->Tree().CheckedKeys(level).empty()) << "level " << level;
}

TEST_F(CheckTreeViewTest, DoubleClickOnMarkActsTwiceAndKeepsTheNodeOpen)
{
    QModelIndex type = Node(0, 2);
    QSignalSpy clicked(&view, &CheckTreeView::MarkClicked);
    // A double click as widgets get it: press and release, then the double click and release.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(type));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(type));
    EXPECT_TRUE(view.isExpanded(type));
    // Two mouse-downs on the mark: checked and unchecked again.
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_FALSE(Checked(0, 2));
    EXPECT_FALSE(Checked(1, 20));

    // The same second press delivered both as a press and as a double click counts once.
    QPoint at = OnMark(type);
    QMouseEvent press(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, view.viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    press.setTimestamp(900000);
    twice.setTimestamp(900000);
    QApplication::sendEvent(view.viewport(), &press);
    QApplication::sendEvent(view.viewport(), &twice);
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_TRUE(Checked(0, 2));
}

TEST_F(CheckTreeViewTest, DisabledTreeKeepsItsMarks)
{
    view.setEnabled(false);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(Node(0, 1)));
    EXPECT_FALSE(Checked(0, 1));
    view.setEnabled(true);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(Node(0, 1)));
    EXPECT_TRUE(Checked(0, 1));
}

TEST_F(CheckTreeViewTest, SelectAllDeselectAllAndANewTree)
{
    view.Model()->SetAllMarks(true);
    EXPECT_TRUE(Checked(2, 200));
    EXPECT_EQ(view.Model()->Tree().CheckedPaths().size(), 12u);
    view.Model()->SetAllMarks(false);
    EXPECT_FALSE(Checked(0, 1));

    CheckTree two(2);
    two.Add(0, 7, u"Т7");
    two.Add(1, 70, u"7001");
    view.Model()->SetTree(std::move(two));
    EXPECT_EQ(view.Model()->rowCount(), 1);
    QModelIndex meter = view.Model()->index(0, 0, view.Model()->index(0, 0));
    EXPECT_EQ(view.Model()->rowCount(meter), 0);
    view.expandAll();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, OnMark(meter));
    EXPECT_EQ(view.Model()->Tree().CheckedPaths(), (std::vector<qint32>{7, 70}));
}

} // namespace
