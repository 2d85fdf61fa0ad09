#pragma once

#include "core/api/DaemonChannel.h"
#include "core/base/Bundle.h"
#include "core/base/UserDefaults.h"
#include "core/daemon/DaemonManager.h"
#include "core/updates/Updater.h"
#include "platform/Services.h"

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <memory>

// The shared things of one run of the application, owned in one place and
// handed down by reference: the platform services, the user defaults, the
// application's bundle, the daemon supervisor, the daemon channel and the
// updater. The GUI's main() and zentropectl's each create one; tests create
// theirs from fakes, a defaults file of their own and a test bundle.
//
// Making a context is cheap and starts nothing. The supervisor, the channel
// and the updater are made on first use; the updater starts its scheduled
// checks when it is made, and the supervisor creates its log folder.
//
// Everything here is used on the main thread. The context must go while the
// Q(Core)Application still exists (Qt's network and timer objects need it),
// and goes in this order:
//   1. the supervisor's no-orphan shutdown (DaemonManager::shutdown()): the
//      daemon is asked to stop, killed after the grace period, and its
//      output written, before anything else goes;
//   2. the updater, with its controller and channel delegate;
//   3. the daemon channel, cancelling what it has under way;
//   4. the supervisor itself, then the platform services.
class ApplicationContext
{
public:
    // Where the daemon is; tests point these at their own folder and server.
    struct DaemonSettings
    {
        QString logDirectory; // empty: ~/Library/Logs/Zentrope at construction
        quint16 port = DaemonChannel::daemonPort;
        QList<QSslCertificate> extraCaCertificates; // trusted besides the system's
        DaemonChannel::Limits limits = {};
    };

    ApplicationContext(platform::Services services, UserDefaults defaults, Bundle bundle);
    ApplicationContext(platform::Services services, UserDefaults defaults, Bundle bundle,
                       DaemonSettings daemon);
    ~ApplicationContext();

    ApplicationContext(const ApplicationContext&) = delete;
    ApplicationContext& operator=(const ApplicationContext&) = delete;

    const platform::Services& services() const { return m_services; }
    UserDefaults& defaults() { return m_defaults; }
    const Bundle& bundle() const { return m_bundle; }
    // The folder of daemon.log and daemon.err, known without making the supervisor.
    const QString& logDirectory() const { return m_daemon.logDirectory; }

    // The one supervisor, made on first use.
    DaemonManager& daemonManager();
    // The one channel to the daemon, made on first use.
    DaemonChannel& daemonChannel();
    // The one updater, made (and so started) on first use.
    Updater& updater();

private:
    platform::Services m_services;
    UserDefaults m_defaults;
    const Bundle m_bundle;
    DaemonSettings m_daemon;
    std::unique_ptr<DaemonManager> m_daemonManager;
    std::unique_ptr<DaemonChannel> m_daemonChannel;
    std::unique_ptr<Updater> m_updater;
};
