#pragma once

#include "core/base/Result.h"

#include <QString>

// Names no other run can take at the same time: for work that two processes
// may do at once, such as two diagnostics runs in the same second.
namespace UniquePaths {

// A new folder in `parent` named `prefix` and six random characters, for
// this user alone (mode 0700). Returns its path.
Result<QString> createDirectory(const QString& parent, const QString& prefix);

// Moves the file `source` into `directory` as `name` + `extension`, or, when
// that is taken, as `name` + " 2" + `extension`, " 3" and so on, as the
// platform names duplicates. Never replaces anything, not even what another
// process puts there meanwhile: each name is claimed atomically (a hard
// link, then the source goes). `source` must be on `directory`'s file
// system. Returns the path the file has now.
Result<QString> moveToFreeName(const QString& source, const QString& directory, const QString& name,
                               const QString& extension);

} // namespace UniquePaths
