#include "core/updates/UpdateOffer.h"

UpdateOffer::Action UpdateOffer::action(const platform::AvailableUpdate& update)
{
    return update.informational ? Action::learnMore : Action::download;
}

std::optional<QUrl> UpdateOffer::actionAddress(const platform::AvailableUpdate& update)
{
    const QUrl& address = update.informational ? update.infoLink : update.download;
    if (address.isEmpty())
        return std::nullopt;
    return address;
}

UpdateOffer::Notes UpdateOffer::notes(const platform::AvailableUpdate& update)
{
    if (!update.releaseNotesHtml.trimmed().isEmpty())
        return Notes::text;
    if (!update.releaseNotesLink.isEmpty())
        return Notes::link;
    return Notes::none;
}
