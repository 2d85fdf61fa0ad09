#pragma once

#include "core/base/Bundle.h"
#include "core/base/UserDefaults.h"
#include "platform/UpdaterController.h"
#include "platform/UpdaterDelegate.h"

#include <memory>

namespace platform {

// The update framework (Sparkle on macOS, our appcast client elsewhere). It
// reads the feed address and the running version from the application's
// bundle and keeps its settings in the application's user defaults (a
// framework that finds both by itself, as Sparkle does, may ignore them).
class UpdateFramework
{
public:
    virtual ~UpdateFramework() = default;
    // A controller that is started already, asking `delegate` at every check.
    virtual std::unique_ptr<UpdaterController>
    makeController(const Bundle& bundle, const UserDefaults& defaults,
                   std::shared_ptr<UpdaterDelegate> delegate) = 0;
};

} // namespace platform
