// A tree of check marks over compact arrays: nodes by level, each with its record key, caption and
// mark, and the rule by which a click on a mark moves the marks of its parents and children.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

class CheckTree
{
  public:
    // Nodes whose marks changed together: indexes first..last of one level, all of one parent.
    struct Span {
        int level;
        int first;
        int last;
    };

    // depth: number of levels, 2 (types and meters) or 3 (types, meters and verifications).
    explicit CheckTree(int depth = 2);

    int Depth() const { return static_cast<int>(m_levels.size()); }
    void Clear();

    // Appends an unchecked node: on level 0 after the last top-level node, on a deeper level as
    // the last child of the node added last one level up (which must exist). Returns its index.
    int Add(int level, qint32 key, QStringView caption);

    // Room for nodes of a level and for caption characters, so that building does not reallocate.
    void Reserve(int level, int nodes, int captionCharacters = 0);

    int Count(int level) const { return static_cast<int>(m_levels.at(level).key.size()); }
    int NodeCount() const;
    qint32 Key(int level, int index) const { return m_levels.at(level).key.at(index); }
    QStringView Caption(int level, int index) const;
    bool Checked(int level, int index) const { return m_levels.at(level).mark.at(index) != 0; }
    // Index of the parent on the level above; -1 on level 0.
    int Parent(int level, int index) const;
    // Children are the nodes FirstChild .. FirstChild + ChildCount - 1 of the level below.
    int FirstChild(int level, int index) const;
    int ChildCount(int level, int index) const;
    // Position among the parent's children (among the top-level nodes on level 0).
    int Row(int level, int index) const;

    // A click on the node's mark. An unchecked node becomes checked with everything below it and
    // every node above it; a checked one becomes unchecked with everything below it, and each
    // node above it then stays checked only while one of its children is. Returns what changed.
    std::vector<Span> Toggle(int level, int index);
    // Every node checked or unchecked, in tree order; returns what changed.
    std::vector<Span> SetAll(bool checked);

    // The keys along every path of checked nodes from a top-level node down to the deepest level,
    // Depth() keys a path, top level first: what a selection by the tree means.
    std::vector<qint32> CheckedPaths() const;
    // Keys of the checked nodes of one level.
    std::vector<qint32> CheckedKeys(int level) const;

  private:
    struct Level {
        std::vector<qint32> key;
        std::vector<qint32> parent;
        std::vector<qint32> firstChild;
        std::vector<qint32> childCount;
        std::vector<quint32> captionStart;
        std::vector<quint32> captionLength;
        std::vector<quint8> mark;
    };

    void SetBelow(int level, int index, quint8 mark, std::vector<Span>& changed);
    void CollectPaths(int level, int index, std::vector<qint32>& path,
                      std::vector<qint32>& out) const;

    std::vector<Level> m_levels;
    QString m_captions; // every caption, one after the other
};
