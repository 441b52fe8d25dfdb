// The check-mark trees over the archive that the selection dialogs show, built from one reading
// of the tables they show.
#pragma once

#include "selection/checktree.h"

#include <QString>

namespace ArchiveTrees
{

// Types, their meters and the meters' verifications, captioned by designation, number and date
// (in the program's short date format); only meters with a verification, and types with such a
// meter, appear. Types in the order of their designations, meters and verifications in the order
// of their keys. Throws DatabaseError.
CheckTree VerificationTree(const QString& connectionName);

// Types and their meters; only types with a meter appear. Throws DatabaseError.
CheckTree MeterTree(const QString& connectionName);

} // namespace ArchiveTrees
