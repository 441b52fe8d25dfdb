// Which rows of a grid a multi-row command acts on, without the grid itself.
#pragma once

#include <QList>

struct RowSelection {
    enum class Kind { None, Rows, All };
    Kind kind = Kind::None;
    QList<qint64> bookmarks; // the rows marked one by one, in grid order (Kind::Rows)

    static RowSelection Marked(const QList<qint64>& marks)
    {
        return {marks.isEmpty() ? Kind::None : Kind::Rows, marks};
    }
    static RowSelection Everything() { return {Kind::All, {}}; }
};
