// Item model over a check-mark tree: captions and marks for a tree view, without an item object
// per node, so trees of a whole archive stay light.
#pragma once

#include "selection/checktree.h"

#include <QAbstractItemModel>

class CheckTreeModel : public QAbstractItemModel
{
    Q_OBJECT
  public:
    // Role of a node's record key (an int).
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit CheckTreeModel(QObject* parent = nullptr);

    // Replaces the whole tree; views collapse.
    void SetTree(CheckTree tree);
    const CheckTree& Tree() const { return m_tree; }

    // Level and index on that level of the node an index stands for.
    int LevelOf(const QModelIndex& index) const;
    int NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(int level, int node) const;

    // A click on the node's mark, by the tree's rule; views are told of every mark that moved.
    void ToggleMark(const QModelIndex& index);
    void SetAllMarks(bool checked);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    void MarksChanged();

  private:
    void Announce(const std::vector<CheckTree::Span>& changed);

    CheckTree m_tree;
};
