#pragma once

#include "core/updates/ChannelDelegate.h"
#include "platform/UpdateFramework.h"

#include <memory>

// The application's updater: the update framework's controller, started when
// the updater is made, with a ChannelDelegate that it keeps alive as long as
// the controller. Scheduled checks run from then on.
class Updater
{
public:
    // The one instance, made on the first call from `framework`; later calls
    // return it unchanged. It is released when the application object ends.
    static Updater& shared(platform::UpdateFramework& framework);

    Updater(platform::UpdateFramework& framework, std::shared_ptr<ChannelDelegate> delegate);

    platform::UpdaterController& controller() const { return *m_controller; }
    const ChannelDelegate& delegate() const { return *m_delegate; }

private:
    std::shared_ptr<ChannelDelegate> m_delegate; // declared first: outlives the controller
    std::unique_ptr<platform::UpdaterController> m_controller;
};
