// First-run registration and the switch, against a login item in memory.
#include "core/LaunchAtLogin.h"

#include "platform/fake/FakeServices.h"
#include "support/Printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Status = platform::LoginItem::Status;

namespace {

// Reads the defaults file itself at the moment of the attempt.
class StoreReadingLoginItem final : public platform::LoginItem
{
public:
    explicit StoreReadingLoginItem(QString defaultsFile)
        : m_defaultsFile(std::move(defaultsFile))
    {}
    Status status() override { return Status::notRegistered; }
    Result<Done> registerItem() override
    {
        QFile file(m_defaultsFile);
        keyStoredBeforeAttempt = file.open(QIODevice::ReadOnly) &&
                                 file.readAll().contains("zentrope.launchAtLogin.registered=true");
        return Error{QStringLiteral("LoginItem"), 1, QStringLiteral("no")};
    }
    Result<Done> unregisterItem() override { return Done{}; }

    bool keyStoredBeforeAttempt = false;

private:
    QString m_defaultsFile;
};

class LaunchAtLoginTest : public ::testing::Test
{
protected:
    QString defaultsFile() const { return folder.filePath(QStringLiteral("defaults.conf")); }
    void launch()
    {
        UserDefaults defaults(defaultsFile()); // a new store per launch, as a new process has
        LaunchAtLogin::enableOnFirstRun(defaults, *fakes.loginItem, *fakes.systemLog);
    }

    QTemporaryDir folder;
    platform::FakeServices fakes;
};

} // namespace

TEST_F(LaunchAtLoginTest, TheFirstLaunchRegistersAndLaterOnesLeaveTheUsersChoice)
{
    launch();
    EXPECT_EQ(fakes.loginItem->registrations, 1);
    EXPECT_EQ(fakes.loginItem->status(), Status::enabled);
    EXPECT_TRUE(UserDefaults(defaultsFile())
                    .boolValue(QStringLiteral("zentrope.launchAtLogin.registered")));

    ASSERT_TRUE(LaunchAtLogin::set(*fakes.loginItem, false).ok()); // the user turns it off
    launch();
    EXPECT_EQ(fakes.loginItem->registrations, 1);
    EXPECT_EQ(fakes.loginItem->status(), Status::notRegistered);
    EXPECT_TRUE(fakes.systemLog->lines().isEmpty());
}

TEST_F(LaunchAtLoginTest, AFailedFirstRegistrationIsLoggedOnceAndNeverRetried)
{
    fakes.loginItem->registrationError =
        Error{QStringLiteral("LoginItem"), 3, QStringLiteral("The application was not found.")};
    launch();
    launch();
    EXPECT_EQ(fakes.loginItem->registrations, 1);
    EXPECT_EQ(fakes.systemLog->lines(),
              QStringList{QStringLiteral(
                  "Zentrope: could not register login item: The application was not found.")});
}

TEST_F(LaunchAtLoginTest, TheKeyIsOnDiskBeforeTheAttempt)
{
    StoreReadingLoginItem loginItem(defaultsFile());
    UserDefaults defaults(defaultsFile());
    LaunchAtLogin::enableOnFirstRun(defaults, loginItem, *fakes.systemLog);
    EXPECT_TRUE(loginItem.keyStoredBeforeAttempt);
}

TEST_F(LaunchAtLoginTest, TheSwitchPassesTheServicesFailureOn)
{
    const Error refused{QStringLiteral("LoginItem"), 1, QStringLiteral("Operation not permitted")};
    fakes.loginItem->registrationError = refused;
    fakes.loginItem->unregistrationError = refused;
    EXPECT_EQ(LaunchAtLogin::set(*fakes.loginItem, true).error(), refused);
    EXPECT_EQ(LaunchAtLogin::set(*fakes.loginItem, false).error(), refused);
    EXPECT_EQ(fakes.loginItem->unregistrations, 1);
}
