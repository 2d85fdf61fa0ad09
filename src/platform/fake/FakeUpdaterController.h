#pragma once

#include "platform/UpdaterController.h"
#include "platform/UpdaterDelegate.h"

#include <QList>
#include <QSet>
#include <memory>

namespace platform {

// Answers checks with `nextResult` at once, records the channels its
// delegate allowed at each check, and keeps a skipped version as the real one does.
class FakeUpdaterController final : public UpdaterController
{
public:
    explicit FakeUpdaterController(std::shared_ptr<UpdaterDelegate> delegate);

    bool automaticallyChecksForUpdates() const override { return m_automatic; }
    void setAutomaticallyChecksForUpdates(bool enabled) override { m_automatic = enabled; }
    std::optional<QDateTime> lastUpdateCheckDate() const override { return m_lastCheck; }
    QFuture<Result<UpdateCheck>> checkForUpdates() override;
    void setUpdateFoundHandler(std::function<void(const AvailableUpdate&)> handler) override;
    Result<Done> skipVersion(const AvailableUpdate& update) override;
    QString skippedVersion() const override { return m_skipped; }

    // As a scheduled check that found `update` would.
    void announce(const AvailableUpdate& update) const;

    const std::shared_ptr<UpdaterDelegate>& delegate() const { return m_delegate; }
    const QList<QSet<QString>>& channelsAllowedAtChecks() const { return m_channelsAtChecks; }

    Result<UpdateCheck> nextResult = UpdateCheck{};

private:
    std::shared_ptr<UpdaterDelegate> m_delegate;
    bool m_automatic = true;
    std::optional<QDateTime> m_lastCheck;
    QList<QSet<QString>> m_channelsAtChecks;
    std::function<void(const AvailableUpdate&)> m_updateFound;
    QString m_skipped;
};

} // namespace platform
