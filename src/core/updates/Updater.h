#pragma once

#include "core/base/Bundle.h"
#include "core/base/UserDefaults.h"
#include "core/updates/ChannelDelegate.h"
#include "platform/UpdateFramework.h"

#include <memory>

// The application's updater: the update framework's controller, started when
// the updater is made, with a ChannelDelegate that it keeps alive as long as
// the controller. Scheduled checks run from then on, so the application
// makes its one updater on first use (ApplicationContext::updater()).
class Updater
{
public:
    // A controller for `bundle`, keeping its settings in `defaults`, where the
    // delegate also reads the beta setting.
    Updater(platform::UpdateFramework& framework, const Bundle& bundle, UserDefaults defaults);

    platform::UpdaterController& controller() const { return *m_controller; }
    const ChannelDelegate& delegate() const { return *m_delegate; }

private:
    std::shared_ptr<ChannelDelegate> m_delegate; // declared first: outlives the controller
    std::unique_ptr<platform::UpdaterController> m_controller;
};
