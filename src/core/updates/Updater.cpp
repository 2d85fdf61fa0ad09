#include "core/updates/Updater.h"

#include <QCoreApplication>

namespace {

std::unique_ptr<Updater>& instance()
{
    static std::unique_ptr<Updater> updater;
    return updater;
}

} // namespace

Updater& Updater::shared(platform::UpdateFramework& framework)
{
    if (!instance()) {
        instance() = std::make_unique<Updater>(framework, std::make_shared<ChannelDelegate>());
        // The controller's network and timer objects must go while Qt still runs.
        qAddPostRoutine([] { instance().reset(); });
    }
    return *instance();
}

Updater::Updater(platform::UpdateFramework& framework, std::shared_ptr<ChannelDelegate> delegate)
    : m_delegate(std::move(delegate))
    , m_controller(framework.makeController(m_delegate))
{}
