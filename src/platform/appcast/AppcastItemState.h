#pragma once

#include "platform/appcast/AppcastItem.h"

// What a release is to the application running `hostVersion`, as update
// frameworks resolve it.
struct AppcastItemState
{
    bool valid = false;         // something to offer: a download or, when informational, a page
    bool critical = false;      // no "skip this version"
    bool informational = false; // nothing to download: the release's page instead

    static AppcastItemState of(const AppcastItem& item, const QString& hostVersion);
};
