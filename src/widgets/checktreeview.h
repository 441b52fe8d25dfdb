// Tree view of a check-mark tree: only a click on a node's mark changes marks; a click on the
// caption only selects, and keys never change marks.
#pragma once

#include "widgets/checktreemodel.h"

#include <QTreeView>

class CheckMarkDelegate;

class CheckTreeView : public QTreeView
{
    Q_OBJECT
  public:
    explicit CheckTreeView(QWidget* parent = nullptr);

    CheckTreeModel* Model() const { return m_model; }
    // Where the node's mark is drawn, in viewport coordinates.
    QRect MarkRect(const QModelIndex& index) const;

  signals:
    // A click on this node's mark has just changed marks.
    void MarkClicked(const QModelIndex& index);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QModelIndex MarkAt(const QPoint& pos) const;

    CheckTreeModel* m_model;
    CheckMarkDelegate* m_delegate;
    quint64 m_lastMarkPress = 0; // time stamp of the last press that toggled a mark
};
