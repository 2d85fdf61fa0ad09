#pragma once

#include "platform/UpdaterController.h"
#include "platform/UpdaterDelegate.h"

#include <memory>

namespace platform {

// The update framework (Sparkle on macOS, our appcast client elsewhere). It
// reads the feed address and the running version from the main bundle and
// keeps its settings in the standard user defaults, as Sparkle does, so making
// a controller needs nothing but the application's delegate.
class UpdateFramework
{
public:
    virtual ~UpdateFramework() = default;
    // A controller that is started already, asking `delegate` at every check.
    virtual std::unique_ptr<UpdaterController>
    makeController(std::shared_ptr<UpdaterDelegate> delegate) = 0;
};

} // namespace platform
