// The archive query builder's statement: chosen columns, checked tree paths, date and error
// conditions give one SELECT over the archive with bound values; and its run on the data
// module's result set, which the external-data window shows.
#pragma once

#include "selection/querycolumns.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <bitset>

class CheckTree;
class SelectionKeys;
class TDM;

enum class DateChoice { Before, After, Range, Condition };
enum class ErrorChoice { Less, Greater, Range, Condition };

struct ArchiveQueryChoices {
    std::bitset<QueryColumnCount> columns; // in catalogue order
    bool byTree = false;                   // "По типу и номеру "
    bool byDate = false;
    DateChoice date = DateChoice::Before;
    QDate dateBefore, dateAfter, dateFrom, dateTo;
    QString dateCondition = QStringLiteral("Max"); // "Min" or anything else for the latest
    bool byError = false;
    ErrorChoice error = ErrorChoice::Less;
    QString errorLess, errorGreater, errorFrom, errorTo; // the edits' texts
    QString errorCondition = QStringLiteral("Max");
};

struct ArchiveQueryStatement {
    enum class Outcome {
        Ready,
        NoColumns,  // nothing to show: the user is told
        Stopped,    // an empty error bound or a range upside down: nothing happens
        Unreadable, // an error bound that is no number: the run fails
    };
    Outcome outcome = Outcome::NoColumns;
    QString fields;      // "Select " + distinct word + select list
    QString from;        // " From " + FROM text + WHERE text
    QVariantList values; // bound to the placeholders of fields + from, in order

    QString Text() const { return QLatin1Char(' ') + fields + from; }
};

namespace ArchiveQuery
{

// The temporary table of the checked paths (type, meter, verification) that the statement joins.
// It keeps the last query's keys until the next query, so the query can be run again.
const SelectionKeys& Keys();

// treeKeys: the tree decides (selection by tree chosen and at least one path checked); the paths
// are then in Keys().
ArchiveQueryStatement Build(const ArchiveQueryChoices& choices, bool treeKeys);

enum class RunResult { NoColumns, Stopped, Failed, Done };

// Builds the statement, keeps its halves and values as the last archive query, writes the
// checked paths and opens the data module's result set on it. Sets LastSelectState to 1 after
// success and to 2 after a failure.
RunResult Run(TDM& dm, const ArchiveQueryChoices& choices, const CheckTree& tree);

} // namespace ArchiveQuery
