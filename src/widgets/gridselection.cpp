// Reads a data grid's selection into a RowSelection.
#include "widgets/gridselection.h"

#include "widgets/dbgrid.h"

RowSelection GridSelection(const DBGrid& grid)
{
    switch (grid.Selection()) {
    case DBGrid::SelectionKind::All:
        return RowSelection::Everything();
    case DBGrid::SelectionKind::Rows:
        return RowSelection::Marked(grid.SelectedBookmarks());
    case DBGrid::SelectionKind::None:
        break;
    }
    return {};
}
