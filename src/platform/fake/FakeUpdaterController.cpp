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

void FakeUpdaterController::announce(const AvailableUpdate& update) const
{
    if (m_updateFound)
        m_updateFound(update);
}

} // namespace platform
