#pragma once

#include "core/base/BoundedReply.h"
#include "core/base/Bundle.h"
#include "core/base/UserDefaults.h"
#include "platform/UpdaterController.h"
#include "platform/UpdaterDelegate.h"
#include "platform/appcast/RunningSystem.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

namespace platform {

// Our update framework: fetches the appcast named by the bundle's SUFeedURL,
// offers the release an update framework would choose for this application
// and system (see UpdateChooser), and checks by itself once per interval
// while the application runs. Its settings live in the user defaults under
// Sparkle's own key names (DefaultsKeys), so they read the same on every
// platform.
class AppcastUpdaterController final : public QObject, public UpdaterController
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds shortestInterval{60 * 60};
    static constexpr qint64 largestFeed = 4 * 1024 * 1024;
    // The whole fetch, however slowly the feed trickles in.
    static constexpr std::chrono::milliseconds feedDeadline = std::chrono::seconds(30);

    // Starts at once. `interval` replaces the one from the defaults and
    // `system` the running one (both for tests).
    AppcastUpdaterController(Bundle bundle, UserDefaults defaults,
                             std::shared_ptr<UpdaterDelegate> delegate,
                             std::optional<std::chrono::milliseconds> interval = std::nullopt,
                             RunningSystem system = RunningSystem::current());

    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool enabled) override;
    std::optional<QDateTime> lastUpdateCheckDate() const override;
    QFuture<Result<UpdateCheck>> checkForUpdates() override;
    void setUpdateFoundHandler(std::function<void(const AvailableUpdate&)> handler) override;
    Result<Done> skipVersion(const AvailableUpdate& update) override;
    QString skippedVersion() const override;

    // When the next scheduled check is due; none while automatic checks are off.
    std::optional<QDateTime> nextScheduledCheck() const;

    // For tests: other bounds than feedDeadline and largestFeed for later fetches.
    void setFeedBounds(BoundedReply::Bounds bounds) { m_feedBounds = bounds; }

private:
    enum class Kind
    {
        requested,
        scheduled
    };

    std::chrono::milliseconds interval() const;
    void scheduleNextCheck();
    void runScheduledCheckIfDue();
    QFuture<Result<UpdateCheck>> check(Kind kind);
    BoundedReply* fetch(const QUrl& feed);
    Result<QUrl> feedAddress() const;
    Result<UpdateCheck> evaluate(const BoundedReply& fetched, const QString& currentVersion,
                                 Kind kind) const;

    const Bundle m_bundle;
    mutable UserDefaults m_defaults;
    const std::shared_ptr<UpdaterDelegate> m_delegate;
    const std::optional<std::chrono::milliseconds> m_intervalOverride;
    const RunningSystem m_system;
    BoundedReply::Bounds m_feedBounds{feedDeadline, largestFeed};
    QNetworkAccessManager m_network;
    QTimer m_timer;
    std::function<void(const AvailableUpdate&)> m_updateFound;
};

} // namespace platform
