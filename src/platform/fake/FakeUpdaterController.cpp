#include "platform/fake/FakeUpdaterController.h"

namespace platform {

FakeUpdaterController::FakeUpdaterController(std::shared_ptr<UpdaterDelegate> delegate)
    : m_delegate(std::move(delegate))
{}

QFuture<Result<UpdateCheck>> FakeUpdaterController::checkForUpdates()
{
    m_lastCheck = QDateTime::currentDateTimeUtc();
    m_channelsAtChecks.append(m_delegate->allowedChannels());
    return QtFuture::makeReadyFuture(nextResult);
}

void FakeUpdaterController::setUpdateFoundHandler(
    std::function<void(const AvailableUpdate&)> handler)
{
    m_updateFound = std::move(handler);
}

Result<Done> FakeUpdaterController::skipVersion(const AvailableUpdate& update)
{
    if (update.critical)
        return Error{QStringLiteral("Updater"), 6,
                     QStringLiteral("A critical update cannot be skipped.")};
    m_skipped = update.version;
    return Done{};
}

void FakeUpdaterController::announce(const AvailableUpdate& update) const
{
    if (m_updateFound)
        m_updateFound(update);
}

} // namespace platform
