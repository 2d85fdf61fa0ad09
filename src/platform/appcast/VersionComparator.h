#pragma once

#include <QStringView>

// Orders the version strings of update feeds and bundles as update frameworks'
// standard comparator does. A version is split into runs of digits, runs of
// letters, and single separators (".", white space, punctuation); anything from
// the first "-" on is build metadata and ignored ("1.5-abc123" equals "1.5").
// Runs are compared from the left: digits as whole numbers ("1.10" after "1.9",
// "1.0b10" after "1.0b9"), letters as text, any separator equal to any other.
// Where the kinds differ, letters lose, so a pre-release precedes its release
// ("1.0b1" before "1.0", "1.0" before "1.0.1a"). Missing leading numbers count
// as zero ("2" equals "2.0.0").
namespace VersionComparator {

// Negative when `a` is older than `b`, zero when they are the same, positive when newer.
int compare(QStringView a, QStringView b);

} // namespace VersionComparator
