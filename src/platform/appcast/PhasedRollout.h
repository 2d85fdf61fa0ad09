#pragma once

#include "core/base/UserDefaults.h"
#include "platform/appcast/AppcastItem.h"

#include <QDateTime>

// A release with `sparkle:phasedRolloutInterval` reaches installations in
// groups: group g is offered it g intervals after its publication. The group
// comes from a random number drawn once per installation and kept in the user
// defaults, so it stays the same from check to check.
namespace PhasedRollout {

constexpr int groupCount = 7;

// This installation's group, drawing and storing its number on first use.
int group(UserDefaults& defaults);

// Whether the rollout of `item` has reached `group` at `now`. Releases without
// an interval or a publication date reach everyone at once.
bool hasReached(const AppcastItem& item, int group, const QDateTime& now);

} // namespace PhasedRollout
