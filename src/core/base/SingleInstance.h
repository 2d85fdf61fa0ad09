#pragma once

#include "core/base/Result.h"

#include <QObject>
#include <QString>
#include <chrono>

class QLocalServer;
class QLocalSocket;

// One running application per user. The first launch locks a file in a
// folder of this user's alone and listens on a local socket beside it; a later
// launch finds the lock taken and asks the running one, through the socket, to
// show its window. The lock is the kernel's (flock), so it goes with the
// process however that ends, and two launches at once cannot both win.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role
    {
        first,    // this process is the one instance and answers later launches
        forwarded // another instance runs and was asked to show its window
    };

    // Keeps the lock and the socket in `folder`, which must be this user's alone.
    explicit SingleInstance(QString folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR when the session has one, else a folder of this user's
    // alone (mode 0700) in the temporary folder, created when missing.
    static Result<QString> defaultFolder();
    // "zentrope-<uid>.socket": the user's id in the name, so that users who
    // share a folder never meet.
    static QString socketName();
    QString socketPath() const;

    // Becomes the one instance, or asks the running one to show its window
    // and waits up to `timeout` for its answer. Blocks: it is meant for the
    // start, before the event loop runs.
    Result<Role> claim(std::chrono::milliseconds timeout = std::chrono::seconds(5));

Q_SIGNALS:
    // A later launch asked for the window (the first instance only).
    void showRequested();

private:
    Result<Role> listen();
    Result<Role> forward(std::chrono::milliseconds timeout);
    void answer(QLocalSocket* socket);

    const QString m_folder;
    int m_lock = -1;
    QLocalServer* m_server = nullptr;
};
