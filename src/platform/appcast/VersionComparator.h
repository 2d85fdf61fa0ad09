#pragma once

#include <QStringView>

// Orders the version strings of update feeds and bundles. Dot-separated
// components are compared from the left as whole numbers, so "1.10" comes after
// "1.9", and a missing component counts as zero ("2" equals "2.0"). Letters
// after a component's number mark a pre-release of it: "1.0b1" precedes "1.0",
// and such suffixes compare as text among themselves.
namespace VersionComparator {

// Negative when `a` is older than `b`, zero when they are the same, positive when newer.
int compare(QStringView a, QStringView b);

} // namespace VersionComparator
