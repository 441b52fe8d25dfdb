// The eighteen output columns of the archive query builder, in the order they enter the select
// list: their group, check box, caption, column in SQL, plain field name and column title.
#pragma once

#include <QString>

#include <array>

enum class ColumnGroup { Types, Meters, Verifications, Results };

struct QueryColumn {
    ColumnGroup group;
    QString checkBox;  // object name of the column's check box
    QString caption;   // check box caption
    QString sqlName;   // qualified column in the statement
    QString fieldName; // the column's name in the result
    QString title;     // column title in the result grid
};

inline constexpr int QueryColumnCount = 18;

const std::array<QueryColumn, QueryColumnCount>& QueryColumns();
