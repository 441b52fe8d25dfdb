// The selection of a data grid as the transfers see it.
#pragma once

#include "database/rowselection.h"

class DBGrid;

// Marked rows by their bookmarks, select-all, or nothing.
RowSelection GridSelection(const DBGrid& grid);
