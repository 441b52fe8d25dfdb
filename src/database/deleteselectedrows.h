// Deleting the rows a multi-row command acts on: the marked rows, every row, or the current one.
#pragma once

#include "database/rowselection.h"

class DataSet;

// Deletes the marked rows (Kind::Rows), every row (Kind::All) or, with nothing selected, the
// current row, with bound grids told once at the end; then re-reads the view. Rows deleted
// before a refusal stay deleted. False when the database refused a delete or the re-read.
bool DeleteSelectedRows(DataSet& view, const RowSelection& selection);
