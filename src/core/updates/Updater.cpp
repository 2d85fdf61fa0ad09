#include "core/updates/Updater.h"

Updater::Updater(platform::UpdateFramework& framework, const Bundle& bundle, UserDefaults defaults)
    : m_delegate(std::make_shared<ChannelDelegate>(defaults))
    , m_controller(framework.makeController(bundle, defaults, m_delegate))
{}
