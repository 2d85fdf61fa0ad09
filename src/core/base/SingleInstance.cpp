#include "core/base/SingleInstance.h"

#include "core/base/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray showRequest = "show\n";
const QByteArray shownAnswer = "shown\n";
constexpr qint64 longestRequest = 64; // anything longer is not one of ours

Error instanceError(const QString& description)
{
    return Error{QStringLiteral("SingleInstance"), 1, description};
}

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(folder))
{}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close(); // removes the socket file before the lock goes
    if (m_lock >= 0)
        ::close(m_lock);
}

Result<QString> SingleInstance::defaultFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    const QString folder = QDir::tempPath() + QStringLiteral("/zentrope-%1").arg(::getuid());
    if (auto made = FileSystem::createPrivateDirectory(folder); !made)
        return made.error();
    return folder;
}

QString SingleInstance::socketName()
{
    return QStringLiteral("zentrope-%1.socket").arg(::getuid());
}

QString SingleInstance::socketPath() const
{
    return m_folder + u'/' + socketName();
}

Result<SingleInstance::Role> SingleInstance::claim(std::chrono::milliseconds timeout)
{
    const QString lockPath = m_folder + QStringLiteral("/zentrope-%1.lock").arg(::getuid());
    m_lock = ::open(QFile::encodeName(lockPath).constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lock < 0)
        return systemError(errno);
    if (::flock(m_lock, LOCK_EX | LOCK_NB) == 0)
        return listen();
    const int reason = errno;
    ::close(m_lock);
    m_lock = -1;
    if (reason != EWOULDBLOCK)
        return systemError(reason);
    return forward(timeout);
}

Result<SingleInstance::Role> SingleInstance::listen()
{
    // Holding the lock, a socket file still there is a dead instance's.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath()))
        return instanceError(QStringLiteral("Could not listen on “%1”: %2")
                                 .arg(socketPath(), m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
    return Role::first;
}

void SingleInstance::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > longestRequest)
            socket->abort();
        return;
    }
    const bool asked = socket->readLine(longestRequest) == showRequest;
    if (asked)
        socket->write(shownAnswer);
    socket->disconnectFromServer(); // after what was written has gone out
    if (asked)
        Q_EMIT showRequested();
}

Result<SingleInstance::Role> SingleInstance::forward(std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    const auto remaining = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return int(std::max<qint64>(left.count(), 1));
    };
    QLocalSocket socket;
    // The running instance may hold the lock and not listen yet: ask again
    // until it does or the time is up.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(remaining()))
            break;
        if (Clock::now() >= deadline)
            return instanceError(
                QStringLiteral("Zentrope is already running but could not be reached: %1")
                    .arg(socket.errorString()));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    socket.write(showRequest);
    QByteArray answered;
    while (!answered.endsWith('\n') && Clock::now() < deadline) {
        if (!socket.waitForReadyRead(remaining()))
            break;
        answered += socket.readAll();
    }
    if (answered != shownAnswer)
        return instanceError(QStringLiteral("Zentrope is already running but did not answer."));
    return Role::forwarded;
}
