#include "platform/linux/FileManagerReveal.h"

#include "platform/linux/XdgOpen.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFileInfo>
#include <QPromise>
#include <QUrl>
#include <memory>

namespace platform {

namespace {

Result<Done> openContainingFolder(const QString& path)
{
    const QString folder = QFileInfo(QDir::cleanPath(path)).absolutePath();
    return XdgOpen::open(QUrl::fromLocalFile(folder));
}

} // namespace

QFuture<Result<Done>> FileManagerReveal::reveal(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QtFuture::makeReadyFuture(openContainingFolder(path));

    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    message << QStringList{uri} << QString(); // no startup notification id

    auto promise = std::make_shared<QPromise<Result<Done>>>();
    promise->start();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, callTimeoutMilliseconds));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [promise, path](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         // No file manager implements the service: the folder is
                         // the next best thing.
                         promise->addResult(finished->isError() ? openContainingFolder(path)
                                                                : Result<Done>(Done{}));
                         promise->finish();
                     });
    return promise->future();
}

} // namespace platform
