#pragma once

#include "platform/appcast/AppcastItem.h"

#include <QString>

// The system the application runs on, as update feeds speak of it.
//
// A feed names a release's system in `sparkle:os`; a release without one is
// for every system. Its `sparkle:minimumSystemVersion` and
// `sparkle:maximumSystemVersion` are macOS versions ("10.13", "14.0"): feed
// generators write them into every release from the macOS application's own
// minimum. So:
// - on macOS they are compared with the macOS version;
// - elsewhere they cannot be compared. A release carrying such bounds without
//   naming our system was built against macOS and is not offered: an update
//   that may not start is worse than one offered later. A release that names
//   our system ("linux") gives its bounds in our terms: on Linux, the kernel
//   release ("6.1.0"), the one version every distribution shares.
struct RunningSystem
{
    QString osName;  // our sparkle:os name: "macos", "linux"
    QString version; // what bounds are compared with; empty when unknown

    // This machine.
    static RunningSystem current();

    // Whether `item` was built for this system and its bounds admit it.
    bool runs(const AppcastItem& item) const;
};
