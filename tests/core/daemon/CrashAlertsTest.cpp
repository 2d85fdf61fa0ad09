#include "core/daemon/CrashAlerts.h"

#include "support/Printers.h"
#include "support/StatusRecorder.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using Status = DaemonManager::Status;
using namespace Qt::StringLiterals;

namespace {

class CrashAlertsTest : public ::testing::Test
{
protected:
    UserDefaults defaults() const { return UserDefaults(folder.filePath(u"defaults.conf"_s)); }
    // Alerts on the manager's statuses; the exit codes they announce go to `announced`.
    std::unique_ptr<CrashAlerts> alerts()
    {
        announced = {}; // not clear(): Qt compares a cleared list with memcmp on a null pointer
        auto alerts = std::make_unique<CrashAlerts>(manager, defaults());
        QObject::connect(alerts.get(), &CrashAlerts::crashed,
                         [this](qint32 code) { announced << code; });
        return alerts;
    }

    QTemporaryDir folder;
    TestBundle bundle;
    DaemonManager manager{bundle.bundle(), folder.filePath(u"Logs"_s)};
    QList<qint32> announced;
};

} // namespace

TEST_F(CrashAlertsTest, AnnouncesOnlyCrashesNobodyAskedFor)
{
    const Status running = Status::running(4242);
    const Status stopped = Status::stopped();
    const Status starting = Status::starting();
    const struct
    {
        const char* story;
        QList<Status> statuses;
        QList<qint32> alerts;
    } cases[] = {
        {"a running daemon exits 3", {starting, running, Status::crashed(3)}, {3}},
        {"forced kill after Stop", {starting, running, stopped, Status::crashed(9)}, {}},
        {"the bundle lacks the daemon", {Status::crashed(-1)}, {-1}},
        {"two crashes, each after a start",
         {starting, running, Status::crashed(3), starting, running, Status::crashed(4)},
         {3, 4}},
        {"a start after a Stop is watched again",
         {starting, running, stopped, starting, running, Status::crashed(3)},
         {3}},
    };
    for (const auto& c : cases) {
        const auto watching = alerts();
        for (const Status& status : c.statuses)
            watching->observe(status);
        EXPECT_EQ(announced, c.alerts) << c.story;
    }
}

TEST_F(CrashAlertsTest, TheSettingIsReadWhenTheCrashHappens)
{
    const auto watching = alerts();
    watching->observe(Status::running(1));
    UserDefaults settings = defaults();
    settings.setValue(DefaultsKeys::crashAlerts, false);
    watching->observe(Status::crashed(3));
    EXPECT_EQ(announced, QList<qint32>());

    settings.setValue(DefaultsKeys::crashAlerts, true);
    watching->observe(Status::running(2));
    watching->observe(Status::crashed(3));
    EXPECT_EQ(announced, QList<qint32>{3});
}

TEST_F(CrashAlertsTest, FollowsTheSupervisorsRealStatuses)
{
    bundle.installFakeDaemon("exit 3\n");
    StatusRecorder recorder(manager);
    const auto watching = alerts();
    manager.start();
    ASSERT_TRUE(recorder.waitForChildEnds(1));
    EXPECT_EQ(announced, QList<qint32>{3});
}
