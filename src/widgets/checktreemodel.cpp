// Check-mark tree model: an index carries its node's level and position, nothing else.
#include "widgets/checktreemodel.h"

namespace
{

constexpr quintptr LevelBits = 2;
constexpr quintptr LevelMask = (quintptr(1) << LevelBits) - 1;

quintptr NodeId(int level, int node)
{
    return (static_cast<quintptr>(node) << LevelBits) | static_cast<quintptr>(level);
}

} // namespace

CheckTreeModel::CheckTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void CheckTreeModel::SetTree(CheckTree tree)
{
    Q_ASSERT(tree.Depth() <= int(LevelMask) + 1);
    beginResetModel();
    m_tree = std::move(tree);
    endResetModel();
    emit MarksChanged();
}

int CheckTreeModel::LevelOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<int>(index.internalId() & LevelMask) : -1;
}

int CheckTreeModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<int>(index.internalId() >> LevelBits) : -1;
}

QModelIndex CheckTreeModel::IndexOf(int level, int node) const
{
    if (level < 0 || level >= m_tree.Depth() || node < 0 || node >= m_tree.Count(level))
        return {};
    return createIndex(m_tree.Row(level, node), 0, NodeId(level, node));
}

QModelIndex CheckTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < m_tree.Count(0) ? createIndex(row, 0, NodeId(0, row)) : QModelIndex();
    const int level = LevelOf(parent);
    const int node = NodeOf(parent);
    if (level + 1 >= m_tree.Depth() || row >= m_tree.ChildCount(level, node))
        return {};
    return createIndex(row, 0, NodeId(level + 1, m_tree.FirstChild(level, node) + row));
}

QModelIndex CheckTreeModel::parent(const QModelIndex& child) const
{
    const int level = LevelOf(child);
    if (level <= 0)
        return {};
    return IndexOf(level - 1, m_tree.Parent(level, NodeOf(child)));
}

int CheckTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_tree.Count(0);
    if (parent.column() != 0)
        return 0;
    const int level = LevelOf(parent);
    return level + 1 < m_tree.Depth() ? m_tree.ChildCount(level, NodeOf(parent)) : 0;
}

int CheckTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CheckTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int level = LevelOf(index);
    const int node = NodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return m_tree.Caption(level, node).toString();
    case Qt::CheckStateRole:
        return m_tree.Checked(level, node) ? Qt::Checked : Qt::Unchecked;
    case KeyRole:
        return m_tree.Key(level, node);
    default:
        return {};
    }
}

Qt::ItemFlags CheckTreeModel::flags(const QModelIndex& index) const
{
    // Not user-checkable: only a click on the mark itself, handled by the view, changes marks.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CheckTreeModel::ToggleMark(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    Announce(m_tree.Toggle(LevelOf(index), NodeOf(index)));
}

void CheckTreeModel::SetAllMarks(bool checked)
{
    Announce(m_tree.SetAll(checked));
}

void CheckTreeModel::Announce(const std::vector<CheckTree::Span>& changed)
{
    const QList<int> roles{Qt::CheckStateRole};
    for (const CheckTree::Span& s : changed)
        emit dataChanged(IndexOf(s.level, s.first), IndexOf(s.level, s.last), roles);
    emit MarksChanged();
}
