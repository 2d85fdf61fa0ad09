#include "platform/appcast/AppcastUpdaterController.h"

#include "platform/appcast/Appcast.h"
#include "platform/appcast/FoundUpdate.h"
#include "platform/appcast/PhasedRollout.h"
#include "platform/appcast/UpdateAddress.h"
#include "platform/appcast/UpdateChooser.h"

#include <QNetworkReply>
#include <QPromise>
#include <algorithm>

namespace platform {

namespace {

enum ErrorCode
{
    noFeed = 1,
    insecureFeed = 2,
    unknownVersion = 3,
    unreachableFeed = 4,
    feedTooLarge = 5,
    criticalNotSkippable = 6,
    settingNotSaved = 7,
    untrustedRedirect = 8
};

Error updaterError(ErrorCode code, const QString& description)
{
    return Error{QStringLiteral("Updater"), code, description};
}

// A timer never waits longer than this before looking at the clock again, so
// that a suspended machine or a changed clock cannot push a check far past its time.
constexpr std::chrono::milliseconds longestWait = std::chrono::hours(1);
const char* const refusedRedirectProperty = "zentropeRefusedRedirect";

Result<UpdateCheck> readyResult(Error error)
{
    return Result<UpdateCheck>(std::move(error));
}

} // namespace

AppcastUpdaterController::AppcastUpdaterController(
    Bundle bundle, UserDefaults defaults, std::shared_ptr<UpdaterDelegate> delegate,
    std::optional<std::chrono::milliseconds> interval, RunningSystem system)
    : m_bundle(std::move(bundle))
    , m_defaults(std::move(defaults))
    , m_delegate(std::move(delegate))
    , m_intervalOverride(interval)
    , m_system(std::move(system))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AppcastUpdaterController::runScheduledCheckIfDue);
    scheduleNextCheck();
}

bool AppcastUpdaterController::automaticallyChecksForUpdates() const
{
    return m_defaults.value(DefaultsKeys::automaticallyChecksForUpdates);
}

void AppcastUpdaterController::setAutomaticallyChecksForUpdates(bool enabled)
{
    m_defaults.setValue(DefaultsKeys::automaticallyChecksForUpdates, enabled);
    m_defaults.sync(); // like Sparkle's own settings, writing one is not reported as failing
    scheduleNextCheck();
}

std::optional<QDateTime> AppcastUpdaterController::lastUpdateCheckDate() const
{
    const QDateTime date = QDateTime::fromString(
        m_defaults.value(DefaultsKeys::lastUpdateCheckTime), Qt::ISODateWithMs);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

void AppcastUpdaterController::setUpdateFoundHandler(
    std::function<void(const AvailableUpdate&)> handler)
{
    m_updateFound = std::move(handler);
}

std::optional<QDateTime> AppcastUpdaterController::nextScheduledCheck() const
{
    if (!automaticallyChecksForUpdates())
        return std::nullopt;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const std::optional<QDateTime> last = lastUpdateCheckDate();
    if (!last)
        return now;
    // A last check in the future means the clock went back: count from now.
    return std::min(*last, now).addMSecs(interval().count());
}

std::chrono::milliseconds AppcastUpdaterController::interval() const
{
    if (m_intervalOverride)
        return *m_intervalOverride;
    const qint64 seconds = m_defaults.value(DefaultsKeys::updateCheckInterval);
    // Sparkle's floor too: nobody's setting makes us hammer the feed.
    return std::max<std::chrono::milliseconds>(std::chrono::seconds(seconds), shortestInterval);
}

void AppcastUpdaterController::scheduleNextCheck()
{
    m_timer.stop();
    const std::optional<QDateTime> due = nextScheduledCheck();
    if (!due)
        return;
    const qint64 wait = QDateTime::currentDateTimeUtc().msecsTo(*due);
    m_timer.start(std::chrono::milliseconds(std::clamp<qint64>(wait, 0, longestWait.count())));
}

void AppcastUpdaterController::runScheduledCheckIfDue()
{
    const std::optional<QDateTime> due = nextScheduledCheck();
    if (!due)
        return;
    if (*due > QDateTime::currentDateTimeUtc()) {
        scheduleNextCheck();
        return;
    }
    check(Kind::scheduled).then(this, [this](const Result<UpdateCheck>& result) {
        if (result && result.value().update && m_updateFound)
            m_updateFound(*result.value().update);
    });
}

QFuture<Result<UpdateCheck>> AppcastUpdaterController::checkForUpdates()
{
    return check(Kind::requested);
}

Result<Done> AppcastUpdaterController::skipVersion(const AvailableUpdate& update)
{
    if (update.critical) {
        return updaterError(criticalNotSkippable,
                            QStringLiteral("A critical update cannot be skipped."));
    }
    m_defaults.setValue(DefaultsKeys::skippedVersion, update.version);
    if (!m_defaults.sync()) {
        return updaterError(
            settingNotSaved,
            QStringLiteral("Could not save the setting in %1.").arg(m_defaults.filePath()));
    }
    return Done{};
}

QString AppcastUpdaterController::skippedVersion() const
{
    m_defaults.sync(); // another process (zentropectl, the window) may have skipped one
    return m_defaults.value(DefaultsKeys::skippedVersion);
}

QFuture<Result<UpdateCheck>> AppcastUpdaterController::check(Kind kind)
{
    // The check counts from its start, failed or not, as Sparkle's do.
    m_defaults.setValue(DefaultsKeys::lastUpdateCheckTime,
                        QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    m_defaults.sync();
    scheduleNextCheck();

    const Result<QUrl> feed = feedAddress();
    if (!feed)
        return QtFuture::makeReadyFuture(readyResult(feed.error()));
    const QString currentVersion = m_bundle.infoString(QStringLiteral("CFBundleVersion"));
    if (currentVersion.isEmpty()) {
        return QtFuture::makeReadyFuture(readyResult(
            updaterError(unknownVersion, QStringLiteral("The application’s version is unknown."))));
    }

    BoundedReply* fetched = fetch(feed.value());
    auto promise = std::make_shared<QPromise<Result<UpdateCheck>>>();
    promise->start();
    connect(fetched, &BoundedReply::finished, this, [this, fetched, promise, currentVersion, kind] {
        fetched->deleteLater();
        promise->addResult(evaluate(*fetched, currentVersion, kind));
        promise->finish();
    });
    return promise->future();
}

// Every address on the way to the feed must be one we trust, not only the first.
BoundedReply* AppcastUpdaterController::fetch(const QUrl& feed)
{
    QNetworkRequest request(feed);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply* reply = m_network.get(request);
    connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl& target) {
        const QUrl next = reply->url().resolved(target);
        if (UpdateAddress::isTrusted(next)) {
            Q_EMIT reply->redirectAllowed();
        } else {
            reply->setProperty(refusedRedirectProperty, next);
            reply->abort();
        }
    });
    return new BoundedReply(reply, m_feedBounds, this);
}

Result<QUrl> AppcastUpdaterController::feedAddress() const
{
    const QUrl feed(m_bundle.infoString(QStringLiteral("SUFeedURL")).trimmed());
    if (!feed.isValid() || feed.isRelative())
        return updaterError(noFeed, QStringLiteral("No update feed is configured."));
    if (!UpdateAddress::isTrusted(feed))
        return updaterError(insecureFeed,
                            QStringLiteral("The update feed address must use HTTPS."));
    return feed;
}

Result<UpdateCheck> AppcastUpdaterController::evaluate(const BoundedReply& fetched,
                                                       const QString& currentVersion,
                                                       Kind kind) const
{
    const QNetworkReply& reply = fetched.reply();
    if (const QUrl refused = reply.property(refusedRedirectProperty).toUrl(); !refused.isEmpty()) {
        return updaterError(untrustedRedirect,
                            QStringLiteral("The update feed redirected to an address that is not "
                                           "HTTPS: %1")
                                .arg(refused.toDisplayString()));
    }
    if (fetched.stop() == BoundedReply::Stop::bodyTooLarge) {
        return updaterError(feedTooLarge, QStringLiteral("The update feed is larger than %1 MB.")
                                              .arg(fetched.bounds().largestBody / (1024 * 1024)));
    }
    if (fetched.stop() == BoundedReply::Stop::deadlinePassed) {
        return updaterError(
            unreachableFeed,
            QStringLiteral("Could not fetch the update feed: %1").arg(fetched.stopDescription()));
    }
    if (reply.error() != QNetworkReply::NoError) {
        return updaterError(
            unreachableFeed,
            QStringLiteral("Could not fetch the update feed: %1").arg(reply.errorString()));
    }
    const Result<Appcast> appcast = Appcast::parse(fetched.body(), reply.url());
    if (!appcast)
        return appcast.error();
    UpdateChooser::Situation situation;
    situation.hostVersion = currentVersion;
    situation.allowedChannels = m_delegate->allowedChannels();
    situation.system = m_system;
    situation.now = QDateTime::currentDateTimeUtc();
    if (kind == Kind::scheduled) {
        situation.scheduled = true;
        situation.rolloutGroup = PhasedRollout::group(m_defaults);
        situation.skippedVersion = skippedVersion();
    }
    const std::optional<UpdateChooser::Choice> choice =
        UpdateChooser::choose(appcast.value().items(), situation);
    return UpdateCheck{choice ? std::optional(foundUpdate(*choice)) : std::nullopt};
}

} // namespace platform
