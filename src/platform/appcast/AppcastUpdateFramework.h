#pragma once

#include "platform/UpdateFramework.h"

namespace platform {

// Controllers of our appcast client for the main bundle and the standard user defaults.
class AppcastUpdateFramework final : public UpdateFramework
{
public:
    std::unique_ptr<UpdaterController>
    makeController(std::shared_ptr<UpdaterDelegate> delegate) override;
};

} // namespace platform
