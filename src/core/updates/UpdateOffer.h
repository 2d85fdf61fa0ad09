#pragma once

#include "platform/UpdaterController.h"

#include <QUrl>
#include <optional>

// What the update dialog offers for a release, as update frameworks do: the
// download, or for an informational release (nothing to download) its web
// page; skipping it, unless it is critical; its notes as the feed gave them,
// or else the page that holds them.
class UpdateOffer
{
public:
    enum class Action
    {
        download, // "Download"
        learnMore // "Learn More…"
    };
    enum class Notes
    {
        text, // releaseNotesHtml, shown in the dialog
        link, // only releaseNotesLink, opened on request
        none
    };

    static Action action(const platform::AvailableUpdate& update);
    // The address the action opens; none when the feed gave none.
    static std::optional<QUrl> actionAddress(const platform::AvailableUpdate& update);
    static bool canSkip(const platform::AvailableUpdate& update) { return !update.critical; }
    static Notes notes(const platform::AvailableUpdate& update);
};
