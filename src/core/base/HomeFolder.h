#pragma once

#include "core/base/Result.h"

#include <QString>

// The user's home folder, from which every location is reached (~/Library/…,
// ~/.zentrope, the Desktop, the user defaults): HOME, as Qt reads it, but only
// a HOME that names one folder. An unset or empty HOME would make
// "//Library/…" of every location, a relative one a folder beneath wherever
// the program happened to start, and one that is not UTF-8 a folder that does
// not exist (see NativeText).
namespace HomeFolder {

inline constexpr QStringView errorDomain = u"HomeFolder";

// HOME, when it is an absolute path in UTF-8; otherwise why not.
Result<QString> fromEnvironment();

// This user's home in the password database, under the same rule.
Result<QString> fromPasswordDatabase();

// For the window, which a desktop starts with an environment the user never
// sees: HOME when it will do, otherwise the password database's home, which
// then becomes HOME for this process and the daemon it starts, so that Qt,
// the application and the daemon agree on one folder. Fails, saying why,
// when neither will do.
Result<QString> useEnvironmentOrPasswordDatabase();

} // namespace HomeFolder
