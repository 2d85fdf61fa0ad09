// First-run registration and the switch, against a login item in memory.
#include "core/setup/LaunchAtLogin.h"

#include "platform/fake/FakeServices.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LaunchAtLoginTest : public ::testing::Test
{
protected:
    QString defaultsFile() const { return folder.filePath(u"defaults.conf"_s); }
    void launch() // each with a store of its own, as each process has
    {
        UserDefaults defaults(defaultsFile());
        LaunchAtLogin::enableOnFirstRun(defaults, *fakes.loginItem, *fakes.systemLog);
    }

    QTemporaryDir folder;
    platform::FakeServices fakes;
};

} // namespace

TEST_F(LaunchAtLoginTest, TheFirstLaunchRegistersAndLaterOnesLeaveTheUsersChoice)
{
    bool storedBeforeAttempt = false;
    fakes.loginItem->onRegister = [&] {
        storedBeforeAttempt =
            readFileAt(defaultsFile()).contains("zentrope.launchAtLogin.registered=true");
    };
    launch();
    EXPECT_TRUE(storedBeforeAttempt);
    EXPECT_EQ(fakes.loginItem->status(), platform::LoginItem::Status::enabled);

    ASSERT_TRUE(LaunchAtLogin::set(*fakes.loginItem, false).ok()); // the user turns it off
    launch();
    EXPECT_EQ(fakes.loginItem->registrations, 1);
    EXPECT_TRUE(fakes.systemLog->lines().isEmpty());
}

TEST_F(LaunchAtLoginTest, AFailedFirstRegistrationIsLoggedOnceAndNeverRetried)
{
    fakes.loginItem->registrationError =
        Error{u"LoginItem"_s, 3, u"The application was not found."_s};
    launch();
    launch();
    EXPECT_EQ(fakes.loginItem->registrations, 1);
    EXPECT_EQ(
        fakes.systemLog->lines(),
        QStringList{u"Zentrope: could not register login item: The application was not found."_s});
}
