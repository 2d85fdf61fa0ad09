#include "platform/appcast/AppcastUpdateFramework.h"

#include "platform/appcast/AppcastUpdaterController.h"

namespace platform {

std::unique_ptr<UpdaterController>
AppcastUpdateFramework::makeController(const Bundle& bundle, const UserDefaults& defaults,
                                       std::shared_ptr<UpdaterDelegate> delegate)
{
    return std::make_unique<AppcastUpdaterController>(bundle, defaults, std::move(delegate));
}

} // namespace platform
