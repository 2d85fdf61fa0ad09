#pragma once

#include "core/api/DaemonApiError.h"
#include "core/api/DaemonChannel.h"
#include "core/api/DaemonStatusRecord.h"
#include "core/base/Result.h"

#include <QFuture>

// The application's client of the local daemon's HTTP interface: stateless
// operations over a DaemonChannel.
class DaemonAPI
{
public:
    using Status = DaemonStatusRecord;
    using Permissions = DaemonStatusRecord::Permissions;
    using Error = DaemonApiError;

    DaemonAPI() = delete;

    // GET /api/status, which may fall back to plain HTTP, decoded strictly.
    // Transport errors come unchanged; a body that does not decode gives a
    // cannotDecodeResponse error, whatever the HTTP status was.
    static QFuture<Result<Status, Error>> status(DaemonChannel& channel);
};
