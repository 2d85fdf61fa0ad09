#pragma once

#include "core/base/Result.h"

#include <QString>

// Whether nobody but this user and root can change what is at a path: the
// test a file must pass before we run it when it was found by searching
// rather than shipped with us.
//
// Every entry from the root folder down to the file, links resolved, must
// belong to this user or to root, and none may be writable by its group or
// by others, as OpenSSH's StrictModes asks of the files it trusts (a group
// may hold other users, so group-writable counts as writable by others). A
// folder with the sticky bit, such as /tmp, is the one exception: others may
// add entries there but cannot replace ours, and the next entry down is
// checked in its own right.
namespace TrustedPath {

// The canonical path of `path` when it passes; otherwise an error whose
// description names the entry that fails and why.
Result<QString> resolve(const QString& path);

} // namespace TrustedPath
