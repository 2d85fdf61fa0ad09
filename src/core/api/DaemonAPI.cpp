#include "core/api/DaemonAPI.h"

QFuture<Result<DaemonAPI::Status, DaemonAPI::Error>> DaemonAPI::status(DaemonChannel& channel)
{
    return channel.request(QStringLiteral("GET"), DaemonChannel::statusPath())
        .then([](DaemonChannel::Outcome outcome) -> Result<Status, Error> {
            if (!outcome)
                return outcome.error(); // the status code and headers are not looked at
            return Status::decode(outcome.value().body);
        });
}
