// Check-mark tree: nodes are appended in tree order, so the children of a node are one run of
// the level below and a node needs no allocation of its own.
#include "selection/checktree.h"

#include <stdexcept>

CheckTree::CheckTree(int depth)
{
    if (depth < 1)
        throw std::invalid_argument("CheckTree needs at least one level");
    m_levels.resize(static_cast<std::size_t>(depth));
}

void CheckTree::Clear()
{
    for (Level& l : m_levels)
        l = Level();
    m_captions.clear();
}

int CheckTree::NodeCount() const
{
    int n = 0;
    for (int level = 0; level < Depth(); ++level)
        n += Count(level);
    return n;
}

void CheckTree::Reserve(int level, int nodes, int captionCharacters)
{
    Level& l = m_levels.at(level);
    const auto n = static_cast<std::size_t>(nodes);
    for (auto* v : {&l.key, &l.parent, &l.firstChild, &l.childCount})
        v->reserve(n);
    l.captionStart.reserve(n);
    l.captionLength.reserve(n);
    l.mark.reserve(n);
    m_captions.reserve(m_captions.size() + captionCharacters);
}

int CheckTree::Add(int level, qint32 key, QStringView caption)
{
    Level& l = m_levels.at(level);
    const int index = static_cast<int>(l.key.size());
    qint32 parent = -1;
    if (level > 0) {
        Level& up = m_levels.at(level - 1);
        if (up.key.empty())
            throw std::logic_error("CheckTree::Add: a child needs a parent");
        parent = static_cast<qint32>(up.key.size()) - 1;
        if (up.childCount[parent] == 0)
            up.firstChild[parent] = index;
        ++up.childCount[parent];
    }
    l.key.push_back(key);
    l.parent.push_back(parent);
    l.firstChild.push_back(level + 1 < Depth() ? Count(level + 1) : 0);
    l.childCount.push_back(0);
    l.captionStart.push_back(static_cast<quint32>(m_captions.size()));
    l.captionLength.push_back(static_cast<quint32>(caption.size()));
    l.mark.push_back(0);
    m_captions.append(caption);
    return index;
}

QStringView CheckTree::Caption(int level, int index) const
{
    const Level& l = m_levels.at(level);
    return QStringView(m_captions).mid(l.captionStart.at(index), l.captionLength.at(index));
}

int CheckTree::Parent(int level, int index) const
{
    return m_levels.at(level).parent.at(index);
}

int CheckTree::FirstChild(int level, int index) const
{
    return m_levels.at(level).firstChild.at(index);
}

int CheckTree::ChildCount(int level, int index) const
{
    return m_levels.at(level).childCount.at(index);
}

int CheckTree::Row(int level, int index) const
{
    if (level == 0)
        return index;
    return index - FirstChild(level - 1, Parent(level, index));
}

void CheckTree::SetBelow(int level, int index, quint8 mark, std::vector<Span>& changed)
{
    if (level + 1 >= Depth())
        return;
    const int first = FirstChild(level, index);
    const int count = ChildCount(level, index);
    if (count == 0)
        return;
    Level& below = m_levels[level + 1];
    for (int c = first; c < first + count; ++c)
        below.mark[c] = mark;
    changed.push_back({level + 1, first, first + count - 1});
    for (int c = first; c < first + count; ++c)
        SetBelow(level + 1, c, mark, changed);
}

std::vector<CheckTree::Span> CheckTree::Toggle(int level, int index)
{
    std::vector<Span> changed;
    const quint8 mark = Checked(level, index) ? 0 : 1;
    m_levels[level].mark[index] = mark;
    changed.push_back({level, index, index});
    SetBelow(level, index, mark, changed);
    int child = index;
    for (int up = level - 1; up >= 0; --up) {
        const int parent = Parent(up + 1, child);
        quint8 parentMark = mark;
        if (!mark) {
            const int first = FirstChild(up, parent);
            const std::vector<quint8>& marks = m_levels[up + 1].mark;
            for (int c = first; c < first + ChildCount(up, parent) && !parentMark; ++c)
                parentMark = marks[c];
        }
        m_levels[up].mark[parent] = parentMark;
        changed.push_back({up, parent, parent});
        child = parent;
    }
    return changed;
}

std::vector<CheckTree::Span> CheckTree::SetAll(bool checked)
{
    std::vector<Span> changed;
    const quint8 mark = checked ? 1 : 0;
    for (Level& l : m_levels)
        std::fill(l.mark.begin(), l.mark.end(), mark);
    if (Count(0) > 0)
        changed.push_back({0, 0, Count(0) - 1});
    for (int level = 0; level + 1 < Depth(); ++level) {
        for (int i = 0; i < Count(level); ++i) {
            if (ChildCount(level, i) > 0)
                changed.push_back({level + 1, FirstChild(level, i),
                                   FirstChild(level, i) + ChildCount(level, i) - 1});
        }
    }
    return changed;
}

void CheckTree::CollectPaths(int level, int index, std::vector<qint32>& path,
                             std::vector<qint32>& out) const
{
    if (!Checked(level, index))
        return;
    path[level] = Key(level, index);
    if (level + 1 == Depth()) {
        out.insert(out.end(), path.begin(), path.end());
        return;
    }
    const int first = FirstChild(level, index);
    for (int c = first; c < first + ChildCount(level, index); ++c)
        CollectPaths(level + 1, c, path, out);
}

std::vector<qint32> CheckTree::CheckedPaths() const
{
    std::vector<qint32> out;
    std::vector<qint32> path(static_cast<std::size_t>(Depth()));
    for (int i = 0; i < Count(0); ++i)
        CollectPaths(0, i, path, out);
    return out;
}

std::vector<qint32> CheckTree::CheckedKeys(int level) const
{
    std::vector<qint32> keys;
    const Level& l = m_levels.at(level);
    for (std::size_t i = 0; i < l.key.size(); ++i) {
        if (l.mark[i])
            keys.push_back(l.key[i]);
    }
    return keys;
}
