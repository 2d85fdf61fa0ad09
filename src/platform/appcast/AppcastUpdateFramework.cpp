#include "platform/appcast/AppcastUpdateFramework.h"

#include "platform/appcast/AppcastUpdaterController.h"

namespace platform {

std::unique_ptr<UpdaterController>
AppcastUpdateFramework::makeController(std::shared_ptr<UpdaterDelegate> delegate)
{
    return std::make_unique<AppcastUpdaterController>(Bundle::main(), UserDefaults::standard(),
                                                      std::move(delegate));
}

} // namespace platform
