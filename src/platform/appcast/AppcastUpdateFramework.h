#pragma once

#include "platform/UpdateFramework.h"

namespace platform {

// Makes controllers of our appcast client.
class AppcastUpdateFramework final : public UpdateFramework
{
public:
    std::unique_ptr<UpdaterController>
    makeController(const Bundle& bundle, const UserDefaults& defaults,
                   std::shared_ptr<UpdaterDelegate> delegate) override;
};

} // namespace platform
