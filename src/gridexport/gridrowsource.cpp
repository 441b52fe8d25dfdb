// Out-of-line destructor so the interface has one home for its vtable.
#include "gridexport/gridrowsource.h"

GridRowSource::~GridRowSource() = default;
