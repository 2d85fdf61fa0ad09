#pragma once

#include "platform/appcast/AppcastItem.h"
#include "platform/appcast/AppcastItemState.h"
#include "platform/appcast/RunningSystem.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

// Picks the release to offer from a feed, as update frameworks pick it: the
// newest one that is valid, for this system, on an allowed channel, and newer
// than the running application.
namespace UpdateChooser {

struct Situation
{
    QString hostVersion; // the running application's CFBundleVersion
    QSet<QString> allowedChannels;
    RunningSystem system;
    // A check the updater made by itself: phased rollouts and a skipped version
    // hold releases back. A check the user asked for shows everything.
    bool scheduled = false;
    int rolloutGroup = 0;
    QString skippedVersion; // empty: none
    QDateTime now;
};

struct Choice
{
    AppcastItem item;
    AppcastItemState state;
};

std::optional<Choice> choose(const QList<AppcastItem>& items, const Situation& situation);

} // namespace UpdateChooser
