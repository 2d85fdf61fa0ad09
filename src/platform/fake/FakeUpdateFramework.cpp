#include "platform/fake/FakeUpdateFramework.h"

namespace platform {

std::unique_ptr<UpdaterController>
FakeUpdateFramework::makeController(const Bundle&, const UserDefaults&,
                                    std::shared_ptr<UpdaterDelegate> delegate)
{
    auto controller = std::make_unique<FakeUpdaterController>(std::move(delegate));
    controller->nextResult = checkResult;
    m_lastController = controller.get();
    ++m_controllersMade;
    return controller;
}

} // namespace platform
