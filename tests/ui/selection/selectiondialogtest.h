// What the selection dialogs' tests share: the small archive, a widget application and the
// gestures of a user on the dialogs' controls.
#pragma once

#include "support/testapp.h"

#include "support/selectionarchive.h"
#include "ui/selection/selectiondialog.h"
#include "widgets/checktreeview.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

class SelectionDialogTest : public SelectionArchive
{
  protected:
    void SetUp() override
    {
        TestApp();
        ArchiveChanged = false;
        SelectionArchive::SetUp();
    }

    static void Click(QWidget* w)
    {
        ASSERT_TRUE(w);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
    }
    // A click on the toolbar button of an action.
    static void Click(QAction* action)
    {
        QWidget* button = nullptr;
        for (QObject* o : action->associatedObjects()) {
            if (auto* bar = qobject_cast<QToolBar*>(o))
                button = bar->widgetForAction(action);
        }
        ASSERT_TRUE(button) << action->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Typed into the day section, which moves on to month and year by itself.
    static void TypeDate(QDateEdit* picker, const QDate& date)
    {
        QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier, QPoint(6, picker->height() / 2));
        QTest::keyClicks(picker, date.toString(QStringLiteral("ddMMyy")));
    }
    static void TypeText(QLineEdit* edit, const QString& text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // The tree's node of a key, opened up to it.
    static QModelIndex Node(CheckTreeView* tree, int level, qint32 key)
    {
        const CheckTree& t = tree->Model()->Tree();
        for (int i = 0; i < t.Count(level); ++i) {
            if (t.Key(level, i) == key) {
                QModelIndex index = tree->Model()->IndexOf(level, i);
                OpenUpTo(tree, index);
                return index;
            }
        }
        ADD_FAILURE() << "no node " << key;
        return {};
    }
    // Double clicks on the captions of the node's parents, as a user opens them.
    static void OpenUpTo(CheckTreeView* tree, const QModelIndex& index)
    {
        QModelIndexList chain;
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            chain.prepend(p);
        for (const QModelIndex& p : chain) {
            if (tree->isExpanded(p))
                continue;
            tree->scrollTo(p);
            QRect r = tree->visualRect(p);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                               QPoint(tree->MarkRect(p).right() + 15, r.center().y()));
        }
        tree->scrollTo(index);
    }
    static void ClickMark(CheckTreeView* tree, int level, qint32 key)
    {
        QModelIndex index = Node(tree, level, key);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree->MarkRect(index).center());
    }
    static bool Marked(CheckTreeView* tree, int level, qint32 key)
    {
        const CheckTree& t = tree->Model()->Tree();
        for (int i = 0; i < t.Count(level); ++i) {
            if (t.Key(level, i) == key)
                return t.Checked(level, i);
        }
        ADD_FAILURE() << "no node " << key;
        return false;
    }
};
