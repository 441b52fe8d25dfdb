// MDI child behaviour shared by the archive, exchange, external-data and meter types windows.
#include "widgets/mdichild.h"

#include "database/settingsstore.h"
#include "widgets/dbgrid.h"
#include "widgets/mainwindowlink.h"

#include <QApplication>

#include <QCloseEvent>
#include <QMdiArea>
#include <QSplitter>

MdiChild::MdiChild(const QString& caption, const QString& section, QWidget* parent)
    : QMdiSubWindow(parent), m_section(section)
{
    setWindowTitle(caption);
    setAccessibleName(caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                if (now & Qt::WindowActive)
                    OnActivated();
            });
    connect(this, &MdiChild::MaximizedLayoutChanged, this, [this] {
        if (m_link)
            m_link->ShowSystemButtons();
    });
}

MdiChild::~MdiChild()
{
    for (const QMetaObject::Connection& c : m_gridConnections)
        disconnect(c);
}

void MdiChild::TrackGrid(DBGrid* grid)
{
    m_gridConnections << connect(grid, &DBGrid::GridEnter, this, [this](DBGrid* g) {
        if (m_link)
            m_link->SetActiveGrid(g);
    });
    m_gridConnections << connect(grid, &DBGrid::GridExit, this, [this](DBGrid* g) {
        // Only a move to another control of this window clears it; switching windows does not.
        QWidget* next = QApplication::focusWidget();
        if (m_link && next && isAncestorOf(next) && !g->isAncestorOf(next) &&
            m_link->ActiveGrid() == g)
            m_link->SetActiveGrid(nullptr);
    });
}

void MdiChild::OnActivated()
{
    emit Activated(this);
    QWidget* focused = widget() ? widget()->focusWidget() : nullptr;
    if (auto* grid = qobject_cast<DBGrid*>(focused); grid && m_link)
        m_link->SetActiveGrid(grid);
}

void MdiChild::RestorePlacement(SettingsStore& store)
{
    QVariant left = store.Value(m_section, QStringLiteral("Left"));
    QVariant top = store.Value(m_section, QStringLiteral("Top"));
    QVariant width = store.Value(m_section, QStringLiteral("Width"));
    QVariant height = store.Value(m_section, QStringLiteral("Height"));
    bool ok[4] = {false, false, false, false};
    int l = left.toInt(&ok[0]), t = top.toInt(&ok[1]), w = width.toInt(&ok[2]),
        h = height.toInt(&ok[3]);
    // Placement that cannot be read, or that is absurd, is ignored: the default placement is used.
    if (ok[0] && ok[1] && ok[2] && ok[3] && w >= 100 && h >= 60 && w <= 20000 && h <= 20000 &&
        l > -20000 && t > -20000 && l < 20000 && t < 20000) {
        setGeometry(l, t, w, h);
        m_hadSavedPlacement = true;
    }
    QString state = store.Value(m_section, QStringLiteral("WindowState")).toString();
    m_restoredMaximized = state == QStringLiteral("wsMaximized");
    if (m_restoredMaximized)
        showMaximized();
    else if (state == QStringLiteral("wsMinimized"))
        showMinimized();
    else
        show();
}

void MdiChild::SavePlacement(SettingsStore& store) const
{
    // The normal geometry is kept even while maximized or minimized, to restore to.
    QRect g = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (g.isValid()) {
        store.SetValue(m_section, QStringLiteral("Left"), g.left());
        store.SetValue(m_section, QStringLiteral("Top"), g.top());
        store.SetValue(m_section, QStringLiteral("Width"), g.width());
        store.SetValue(m_section, QStringLiteral("Height"), g.height());
    }
    store.SetValue(m_section, QStringLiteral("WindowState"),
                   isMinimized()   ? QStringLiteral("wsMinimized")
                   : isMaximized() ? QStringLiteral("wsMaximized")
                                   : QStringLiteral("wsNormal"));
    store.SetValue(m_section, QStringLiteral("PixelsPerInch"), logicalDpiY());
}

void MdiChild::RestoreSplitter(SettingsStore& store, QSplitter* splitter, const QString& key) const
{
    QByteArray state = store.Value(m_section, key).toByteArray();
    if (!state.isEmpty())
        splitter->restoreState(state);
}

void MdiChild::SaveSplitter(SettingsStore& store, QSplitter* splitter, const QString& key) const
{
    store.SetValue(m_section, key, splitter->saveState());
}

void MdiChild::SaveSettings(SettingsStore&) const {}

void MdiChild::closeEvent(QCloseEvent* event)
{
    // Child windows live as long as the program: closing one only minimizes it.
    event->ignore();
    showMinimized();
}

void MdiChild::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    if (ShownMaximized())
        emit MaximizedLayoutChanged();
}

void MdiChild::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    if (ShownMaximized())
        emit MaximizedLayoutChanged();
}

void MdiChild::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && ShownMaximized())
        emit MaximizedLayoutChanged();
}
