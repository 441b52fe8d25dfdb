// Base of the four MDI child windows: created once, closing only minimizes, placement persisted.
#pragma once

#include <QMdiSubWindow>

class DBGrid;
class MainWindowLink;
class SettingsStore;
class QSplitter;

class MdiChild : public QMdiSubWindow
{
    Q_OBJECT
  public:
    // section: the settings group of the window.
    MdiChild(const QString& caption, const QString& section, QWidget* parent = nullptr);
    ~MdiChild() override;

    QString Section() const { return m_section; }
    // Restores placement and window state; called while the window is created.
    void RestorePlacement(SettingsStore& store);
    void SavePlacement(SettingsStore& store) const;
    // Splitter positions, saved under the given key of the window's section.
    void RestoreSplitter(SettingsStore& store, QSplitter* splitter, const QString& key) const;
    void SaveSplitter(SettingsStore& store, QSplitter* splitter, const QString& key) const;
    // What the window saves besides its placement (splitters, columns); default nothing.
    virtual void SaveSettings(SettingsStore& store) const;
    bool RestoredMaximized() const { return m_restoredMaximized; }
    bool HadSavedPlacement() const { return m_hadSavedPlacement; }
    // Maximized and showing (a minimized window keeps its maximized flag to restore to).
    bool ShownMaximized() const { return isMaximized() && !isMinimized(); }

    // The main window the child reports its focused grid and maximized state to.
    void SetMainWindowLink(MainWindowLink* link) { m_link = link; }
    MainWindowLink* Link() const { return m_link; }
    // Keeps the main window's active grid in step with the focus of this grid.
    void TrackGrid(DBGrid* grid);

  signals:
    // The window moved or changed size while maximized: the main window shows its system buttons.
    void MaximizedLayoutChanged();
    void Activated(MdiChild* child);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void OnActivated();

    QString m_section;
    bool m_restoredMaximized = false;
    bool m_hadSavedPlacement = false;
    MainWindowLink* m_link = nullptr;
    // Cut when the window goes, so its grids losing the focus then reach nothing.
    QList<QMetaObject::Connection> m_gridConnections;
};
