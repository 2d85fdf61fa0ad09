#include "core/api/DaemonStatusProbe.h"

#include <QPointer>

namespace {

using Body = std::optional<QByteArray>;

Body bodyOf(const DaemonChannel::Outcome& outcome)
{
    return outcome ? Body(outcome.value().body) : std::nullopt;
}

} // namespace

namespace DaemonStatusProbe {

QFuture<Body> fetch(DaemonChannel& channel, Deadlines deadlines)
{
    const QString get = QStringLiteral("GET");
    QPointer<DaemonChannel> guard(&channel);
    return channel
        .attempt(QStringLiteral("https"), get, DaemonChannel::statusPath(), deadlines.https)
        .then([guard, get, deadlines](DaemonChannel::Outcome first) {
            if (first)
                return QtFuture::makeReadyFuture(Body(std::move(first).value().body));
            if (!guard) // checked on the channel's thread, where it is deleted
                return QtFuture::makeReadyFuture(Body());
            return guard
                ->attempt(QStringLiteral("http"), get, DaemonChannel::statusPath(), deadlines.http)
                .then(bodyOf);
        })
        .unwrap();
}

} // namespace DaemonStatusProbe
