// The buffer selection's statements: the exchange buffer's meter list replaced by the archive
// meters of the checked types and meters whose results meet the date and error conditions.
#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

class CheckTree;
class SelectionKeys;
class TDM;

struct BufferSelectionChoices {
    enum class Date { Before, After, Range };
    enum class Error { Less, Greater, Range };
    bool byTree = false; // "По типу и номеру "
    bool byDate = false;
    Date date = Date::Before;
    QDate dateBefore, dateAfter, dateFrom, dateTo;
    bool byError = false;
    Error error = Error::Less;
    QString errorLess, errorGreater, errorFrom, errorTo; // the edits' texts
};

struct BufferSelectionStatement {
    bool readable = true; // false: an error bound is empty or no number; nothing may run
    QString insert;       // fills TSTip from the archive
    QVariantList values;  // bound to the placeholders of insert, in order
};

namespace BufferSelection
{

// The temporary table of the checked (type, meter) pairs that the statement joins.
const SelectionKeys& Keys();

// treeKeys: the tree decides (selection by tree chosen and at least one pair checked); the pairs
// are then in Keys().
BufferSelectionStatement Build(const BufferSelectionChoices& choices, bool treeKeys);

// Replaces the buffer's meter list: the buffer meter views closed, the old list deleted and the
// new one inserted in one transaction, the views opened again. False when the database refused;
// the buffer then keeps its old meters.
bool Run(TDM& dm, const BufferSelectionChoices& choices, const CheckTree& tree);

} // namespace BufferSelection
