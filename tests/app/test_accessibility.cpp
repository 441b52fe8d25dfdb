// Every control of the windows can be named by a screen reader: its caption, text or hint.
#include "app/tfexpert.h"
#include "support/archivefixture.h"
#include "support/fakeport.h"
#include "support/faketimer.h"
#include "ui/archive/tftip.h"
#include "ui/exchange/tfsinchro.h"
#include "ui/externaldata/tfsql.h"
#include "ui/metertypes/tftable.h"
#include "ui/selection/tfsqlshape.h"
#include "ui/selection/tfsqlshapesinchro.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

namespace
{

class Accessibility : public ArchiveFixture
{
};

TEST_F(Accessibility, EveryControlHasAName)
{
    FakePort port;
    FakeTimer timerRequest, timerColor;
    TFExpert expert(*dm);
    auto* tip = new TFTip(*dm);
    expert.AddChild(tip);
    auto* sinchro = new TFSinchro(*dm, port, timerRequest, timerColor);
    expert.AddChild(sinchro);
    expert.AddChild(new TFSQL(*dm));
    expert.AddChild(new TFTable(*dm, sinchro->AOUTTable, sinchro->AINTable));
    expert.show();
    // The selection dialogs, shown as when they are opened.
    auto* shape = new TFSQLShape(*dm, &expert);
    auto* shapeSinchro = new TFSQLShapeSinchro(*dm, &expert);
    shape->show();
    shapeSinchro->show();

    QList<QWidget*> widgets;
    for (QWidget* top : QApplication::topLevelWidgets())
        widgets << top << top->findChildren<QWidget*>();
    QStringList unnamed;
    for (QWidget* w : widgets) {
        // Parts that Qt builds inside its own widgets (headers, corner and overflow buttons)
        // are described by the widget that owns them.
        if (qobject_cast<QHeaderView*>(w) || w->inherits("QTableCornerButton") ||
            w->inherits("QToolBarExtension"))
            continue;
        bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                       qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
        if (!control)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).isEmpty())
            unnamed << QStringLiteral("%1 %2 in %3")
                           .arg(QLatin1String(w->metaObject()->className()), w->objectName(),
                                w->parentWidget() ? w->parentWidget()->objectName() : QString());
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();
}

} // namespace
