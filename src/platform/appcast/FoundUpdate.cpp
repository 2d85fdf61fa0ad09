#include "platform/appcast/FoundUpdate.h"

#include "platform/appcast/ReleaseNotes.h"
#include "platform/appcast/UpdateAddress.h"

namespace platform {

namespace {

// One line of text from the feed, fit for a label or a terminal.
QString displayable(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            shown += c;
    }
    return shown.simplified();
}

QUrl trusted(const QUrl& url)
{
    return UpdateAddress::isTrusted(url) ? url : QUrl();
}

} // namespace

AvailableUpdate foundUpdate(const UpdateChooser::Choice& choice)
{
    const AppcastItem& item = choice.item;
    AvailableUpdate update;
    update.version = item.version;
    update.displayVersion = displayable(item.displayVersion());
    update.title = displayable(item.title);
    update.releaseNotesLink = trusted(item.releaseNotesLink);
    // Feeds of old gave the notes' address as the whole description.
    const bool descriptionIsLink =
        item.description.startsWith(u"https://") || item.description.startsWith(u"http://");
    if (update.releaseNotesLink.isEmpty() && descriptionIsLink) {
        update.releaseNotesLink = trusted(QUrl(item.description));
    } else {
        update.releaseNotesHtml =
            ReleaseNotes::safeHtml(item.description, item.descriptionIsPlainText);
        update.releaseNotesText = ReleaseNotes::text(item.description, item.descriptionIsPlainText);
    }
    update.publicationDate = item.publicationDate;
    update.critical = choice.state.critical;
    update.informational = choice.state.informational;
    if (!update.informational && item.enclosure) {
        update.download = item.enclosure->url;
        update.downloadLength = item.enclosure->length;
    }
    update.infoLink = trusted(item.link);
    return update;
}

} // namespace platform
