#pragma once

#include "core/logs/LogsModel.h"
#include "platform/linux/InotifyFileWatcher.h"

#include <QTemporaryDir>

// A logs model following daemon.log in a throwaway folder, as the logs tab would.
struct FollowedLog
{
    QTemporaryDir dir;
    LogsModel model{dir.path(), std::make_shared<platform::InotifyFileWatcher>()};
    bool bound = model.rebindTailer().ok();
};
