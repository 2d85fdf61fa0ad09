#pragma once

#include "platform/UpdateFramework.h"
#include "platform/fake/FakeUpdaterController.h"

namespace platform {

// Makes FakeUpdaterControllers, answering checks with `checkResult`, and
// keeps a pointer to the last one for tests.
class FakeUpdateFramework final : public UpdateFramework
{
public:
    std::unique_ptr<UpdaterController>
    makeController(const Bundle& bundle, const UserDefaults& defaults,
                   std::shared_ptr<UpdaterDelegate> delegate) override;

    FakeUpdaterController* lastController() const { return m_lastController; }
    int controllersMade() const { return m_controllersMade; }

    Result<UpdateCheck> checkResult = UpdateCheck{};

private:
    FakeUpdaterController* m_lastController = nullptr; // owned by whoever asked for it
    int m_controllersMade = 0;
};

} // namespace platform
