// Main window of the program.
#include "app/tfexpert.h"

#include "app/gridoutput.h"
#include "app/helpwindow.h"
#include "app/sfabout.h"
#include "app/sfconfigcom.h"
#include "core/ulang.h"
#include "database/tdm.h"
#include "widgets/dbgrid.h"
#include "widgets/mdichild.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

TFExpert* FExpert = nullptr;

namespace
{
enum SystemCommandKind { Minimize, Restore, Close };
}

TFExpert::TFExpert(TDM& dm, QWidget* parent)
    : QMainWindow(parent), m_dm(dm), m_mdiArea(new QMdiArea(this)), m_menuBar(new QToolBar(this)),
      m_tbSys(new QToolBar(this)), m_windowMenu(new QMenu(ULang::MenuWindow, this)),
      m_sfConfigCom(new SFConfigCom(this)), m_sfAbout(new SFAbout(this)),
      m_help(new HelpWindow(this))
{
    setObjectName(QStringLiteral("FExpert"));
    setWindowTitle(ULang::AppCaption);
    setAccessibleName(ULang::AppCaption);
    setWindowIcon(QIcon(SFAbout::Picture(64)));
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    // Activating a window never maximizes it on its own; only the user or a restored state does.
    m_mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    BuildMenu();
    if (!FExpert)
        FExpert = this;
}

TFExpert::~TFExpert()
{
    if (FExpert == this)
        FExpert = nullptr;
}

void TFExpert::BuildMenu()
{
    m_menuBar->setObjectName(QStringLiteral("TBMenu"));
    m_menuBar->setMovable(false);
    m_menuBar->setFloatable(false);
    m_menuBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, m_menuBar);

    auto addMenu = [this](QMenu* menu) {
        auto* button = new QToolButton(m_menuBar);
        button->setText(menu->title());
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus); // the menu takes no focus from the grids
        button->setAccessibleName(menu->title());
        m_menuBar->addWidget(button);
    };

    // "Окно"
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFExpert::FillWindowMenu);
    addMenu(m_windowMenu);

    // "Таблица"
    auto* table = new QMenu(ULang::MenuTable, this);
    ASaveAS = table->addAction(ULang::SaveAs);
    APrintView = table->addAction(ULang::PrintPreview);
    APrint = table->addAction(ULang::Print);
    ASelectAll = table->addAction(ULang::SelectAll);
    ASelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    ASelectAll->setShortcutContext(Qt::ApplicationShortcut);
    addAction(ASelectAll);
    connect(ASaveAS, &QAction::triggered, this, [this] {
        if (m_activeGrid)
            GridOutput::SaveAs(*m_activeGrid, this);
    });
    connect(APrintView, &QAction::triggered, this, [this] {
        if (m_activeGrid)
            GridOutput::Print(*m_activeGrid, true, this);
    });
    connect(APrint, &QAction::triggered, this, [this] {
        if (m_activeGrid)
            GridOutput::Print(*m_activeGrid, false, this);
    });
    connect(ASelectAll, &QAction::triggered, this, [this] {
        if (m_activeGrid)
            m_activeGrid->SelectAllRows();
    });
    addMenu(table);

    // "Отчет": the report window comes with its own work; until then the items are disabled.
    auto* report = new QMenu(ULang::MenuReport, this);
    AReportArchive = report->addAction(ULang::MenuReportArchive);
    AReportBuffer = report->addAction(ULang::MenuReportBuffer);
    AReportArchive->setEnabled(false);
    AReportBuffer->setEnabled(false);
    addMenu(report);

    // "Настройки"
    auto* settings = new QMenu(ULang::MenuSettings, this);
    AConfigCom = settings->addAction(ULang::MenuComPort);
    connect(AConfigCom, &QAction::triggered, this, [this] {
        m_sfConfigCom->exec();
        m_sfConfigCom->Save(m_dm.REGEH());
    });
    addMenu(settings);

    // "Справка"
    auto* help = new QMenu(ULang::MenuHelp, this);
    AAbout = help->addAction(ULang::MenuAbout);
    AHelp = help->addAction(ULang::MenuHelpContents);
    AHelp->setShortcut(QKeySequence(Qt::Key_F1));
    AHelp->setShortcutContext(Qt::ApplicationShortcut);
    addAction(AHelp);
    connect(AAbout, &QAction::triggered, m_sfAbout, &QDialog::exec);
    connect(AHelp, &QAction::triggered, this, [this] { ShowHelpTopic(0); });
    addMenu(help);

    // System buttons of a maximized child window, at the right of the same strip.
    auto* spacer = new QWidget(m_menuBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_menuBar->addWidget(spacer);
    m_tbSys->setObjectName(QStringLiteral("TBSys"));
    m_tbSys->setMovable(false);
    m_tbSys->setIconSize(QSize(14, 14));
    AMinWin =
        m_tbSys->addAction(style()->standardIcon(QStyle::SP_TitleBarMinButton), ULang::SysMinimize);
    ANormWin = m_tbSys->addAction(style()->standardIcon(QStyle::SP_TitleBarNormalButton),
                                  ULang::SysRestore);
    ACloseWin =
        m_tbSys->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), ULang::SysClose);
    for (QAction* a : {AMinWin, ANormWin, ACloseWin})
        a->setToolTip(a->text());
    connect(AMinWin, &QAction::triggered, this, [this] { SystemCommand(Minimize); });
    connect(ANormWin, &QAction::triggered, this, [this] { SystemCommand(Restore); });
    connect(ACloseWin, &QAction::triggered, this, [this] { SystemCommand(Close); });
    m_tbSysPlace = m_menuBar->addWidget(m_tbSys);
    m_tbSysPlace->setVisible(false);
}

void TFExpert::FillWindowMenu()
{
    m_windowMenu->clear();
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    for (MdiChild* child : m_children) {
        QAction* a = m_windowMenu->addAction(child->windowTitle());
        a->setCheckable(true);
        a->setChecked(child == active);
        connect(a, &QAction::triggered, this, [this, child] {
            if (child->isMinimized())
                child->showNormal();
            m_mdiArea->setActiveSubWindow(child);
        });
    }
    m_windowMenu->addSeparator();
    connect(m_windowMenu->addAction(ULang::MenuCascade), &QAction::triggered, m_mdiArea,
            &QMdiArea::cascadeSubWindows);
    // Windows one under the other (horizontal) or side by side (vertical), filling the frame.
    auto tile = [this](bool horizontal) {
        QList<QMdiSubWindow*> shown;
        for (QMdiSubWindow* w : m_mdiArea->subWindowList())
            if (!w->isMinimized())
                shown << w;
        if (shown.isEmpty())
            return;
        QRect area = m_mdiArea->viewport()->rect();
        int n = static_cast<int>(shown.size());
        for (int i = 0; i < n; ++i) {
            shown[i]->showNormal();
            if (horizontal)
                shown[i]->setGeometry(0, i * (area.height() / n), area.width(), area.height() / n);
            else
                shown[i]->setGeometry(i * (area.width() / n), 0, area.width() / n, area.height());
        }
    };
    connect(m_windowMenu->addAction(ULang::MenuTileHorizontal), &QAction::triggered, this,
            [tile] { tile(true); });
    connect(m_windowMenu->addAction(ULang::MenuTileVertical), &QAction::triggered, this,
            [tile] { tile(false); });
    connect(m_windowMenu->addAction(ULang::MenuArrangeIcons), &QAction::triggered, this, [this] {
        // Minimized windows in a row along the bottom of the frame.
        QRect area = m_mdiArea->viewport()->rect();
        int x = 0;
        for (QMdiSubWindow* w : m_mdiArea->subWindowList()) {
            if (!w->isMinimized())
                continue;
            QSize s = w->size();
            if (x + s.width() > area.width() && x > 0)
                x = 0;
            w->move(x, area.height() - s.height());
            x += s.width();
        }
    });
    connect(m_windowMenu->addAction(ULang::MenuMinimizeAll), &QAction::triggered, this, [this] {
        for (MdiChild* child : m_children)
            child->showMinimized();
    });
}

void TFExpert::AddChild(MdiChild* child)
{
    m_children << child;
    child->SetMainWindowLink(this);
    m_mdiArea->addSubWindow(child);
    child->RestorePlacement(m_dm.REGEH());
}

MdiChild* TFExpert::MaximizedChild() const
{
    for (MdiChild* child : m_children) {
        if (child->ShownMaximized())
            return child;
    }
    return nullptr;
}

void TFExpert::SystemCommand(int command)
{
    MdiChild* child = MaximizedChild();
    if (!child)
        return;
    switch (command) {
    case Minimize:
        child->showMinimized();
        break;
    case Restore:
        child->showNormal();
        break;
    case Close:
        child->close(); // which minimizes it
        break;
    }
    m_tbSysPlace->setVisible(false);
}

bool TFExpert::SystemButtonsVisible() const
{
    return m_tbSysPlace->isVisible();
}

void TFExpert::SetActiveGrid(DBGrid* grid)
{
    m_activeGrid = grid;
}

QString TFExpert::ComPortText() const
{
    return m_sfConfigCom->CBNumCom->currentText();
}

QString TFExpert::ComSpeedText() const
{
    return m_sfConfigCom->CBSpeedCom->currentText();
}

void TFExpert::ShowSystemButtons()
{
    m_tbSysPlace->setVisible(true);
}

void TFExpert::ShowHelpTopic(int topic)
{
    m_help->ShowTopic(topic);
}

void TFExpert::SaveSettings()
{
    m_sfConfigCom->Save(m_dm.REGEH());
    for (MdiChild* child : m_children) {
        child->SavePlacement(m_dm.REGEH());
        child->SaveSettings(m_dm.REGEH());
    }
    m_dm.REGEH().Sync();
}

void TFExpert::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_settingsRestored) {
        m_settingsRestored = true;
        m_sfConfigCom->Restore(m_dm.REGEH());
    }
}

void TFExpert::closeEvent(QCloseEvent* event)
{
    SaveSettings();
    QMainWindow::closeEvent(event);
}
