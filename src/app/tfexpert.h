// The main window: the MDI frame with the program's menu, the system buttons of a maximized
// child window, the port settings and About panels, the help, and the active grid.
#pragma once

#include "widgets/dbgrid.h"
#include "widgets/mainwindowlink.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class HelpWindow;
class MdiChild;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class SFAbout;
class SFConfigCom;
class TDM;

class TFExpert : public QMainWindow, public MainWindowLink
{
    Q_OBJECT
  public:
    explicit TFExpert(TDM& dm, QWidget* parent = nullptr);
    ~TFExpert() override;

    // Adds a child window to the frame and restores its placement.
    void AddChild(MdiChild* child);
    QList<MdiChild*> Children() const { return m_children; }
    QMdiArea* MdiArea() const { return m_mdiArea; }

    // MainWindowLink
    DBGrid* ActiveGrid() const override { return m_activeGrid; }
    void SetActiveGrid(DBGrid* grid) override;
    QString ComPortText() const override;
    QString ComSpeedText() const override;
    void ShowSystemButtons() override;
    void ShowHelpTopic(int topic) override;

    // Saves the port settings and every child window's settings.
    void SaveSettings();

    SFConfigCom* SFConfigComPanel() const { return m_sfConfigCom; }
    SFAbout* SFAboutPanel() const { return m_sfAbout; }
    HelpWindow* Help() const { return m_help; }
    QToolBar* TBSys() const { return m_tbSys; }
    bool SystemButtonsVisible() const;

    // Window commands
    QAction* AMinWin;
    QAction* ANormWin;
    QAction* ACloseWin;
    // Grid commands acting on the active grid
    QAction* ASaveAS;
    QAction* APrintView;
    QAction* APrint;
    QAction* ASelectAll;
    // Other menu commands
    QAction* AReportArchive;
    QAction* AReportBuffer;
    QAction* AConfigCom;
    QAction* AAbout;
    QAction* AHelp;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void FillWindowMenu();
    MdiChild* MaximizedChild() const;
    void SystemCommand(int command);

    TDM& m_dm;
    QMdiArea* m_mdiArea;
    QToolBar* m_menuBar;
    QToolBar* m_tbSys;
    QAction* m_tbSysPlace = nullptr; // the place of TBSys in the menu strip: shows or hides it
    QMenu* m_windowMenu;
    SFConfigCom* m_sfConfigCom;
    SFAbout* m_sfAbout;
    HelpWindow* m_help;
    QList<MdiChild*> m_children;
    QPointer<DBGrid> m_activeGrid;
    bool m_settingsRestored = false;
};

extern TFExpert* FExpert;
