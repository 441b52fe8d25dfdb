// The delete command shared by the archive, exchange and meter types windows.
#include "database/deleteselectedrows.h"

#include "database/dataset.h"

bool DeleteSelectedRows(DataSet& view, const RowSelection& selection)
{
    if (!view.Active())
        return true;
    bool ok = true;
    view.DisableControls();
    try {
        switch (selection.kind) {
        case RowSelection::Kind::Rows:
            for (qint64 mark : selection.bookmarks) {
                if (view.GotoBookmark(mark))
                    view.Delete();
            }
            break;
        case RowSelection::Kind::All:
            view.First();
            while (!view.IsEmpty()) {
                const int before = view.RecordCount();
                view.Delete();
                // A view that keeps its rows (a pending edit it could not leave) ends the loop.
                if (view.RecordCount() >= before)
                    break;
            }
            break;
        case RowSelection::Kind::None:
            view.Delete();
            break;
        }
    } catch (const DatabaseError&) {
        ok = false;
    }
    try {
        view.Requery();
    } catch (const DatabaseError&) {
        ok = false;
    }
    view.EnableControls();
    return ok;
}
