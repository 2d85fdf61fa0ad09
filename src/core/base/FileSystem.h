#pragma once

#include "core/base/Result.h"

#include <QByteArray>
#include <QString>

// The few file-system steps the sideloader and the cache flush take, with
// failures as Error values (domain "POSIX", the errno as code) whose
// description names the path and the system's reason.
namespace FileSystem {

// A file or folder is at `path`, or a link that leads to one: what "it
// exists" means to a reader. A dangling link is not an item.
bool itemExists(const QString& path);
// Anything is at `path`, a dangling link too: what is in the way of writing
// there, or left to remove.
bool entryExists(const QString& path);
// Creates the folder and any missing parents; an existing folder is fine.
Result<Done> createDirectories(const QString& path);
// Deletes a file, a link or a whole folder with everything in it.
Result<Done> removeItem(const QString& path);
// Writes `bytes` to a new file beside `path` and renames it over `path`, so
// readers see the old content or the new, never a part.
Result<Done> writeFileAtomically(const QString& path, const QByteArray& bytes);
// The folder at `path` for this user alone (mode 0700), whose parent must
// exist. Created when missing; an existing one must be a real folder, not a
// link, owned by this user, and is narrowed to 0700 — so a folder someone
// else made or linked there is refused rather than written through.
Result<Done> createPrivateDirectory(const QString& path);
// Copies the file `source` to a new file beside `destination` and renames it
// over whatever file or link is there: a failure on the way (no room, a
// folder that turned read-only) leaves `destination` as it was and no copy.
Result<Done> replaceFile(const QString& source, const QString& destination);

} // namespace FileSystem
