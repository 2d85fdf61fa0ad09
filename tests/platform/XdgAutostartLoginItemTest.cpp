// The login item as an XDG autostart entry, in the test's own config folder.
#include "platform/linux/XdgAutostartLoginItem.h"

#include "platform/linux/DesktopEntry.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Status = platform::LoginItem::Status;

namespace {

class XdgAutostartLoginItemTest : public ::testing::Test
{
protected:
    XdgAutostartLoginItemTest()
        : environment("XDG_CONFIG_HOME", config.path().toUtf8())
    {
        bundle.writeFile(QStringLiteral("MacOS/Zentrope"), "#!/bin/sh\n", true);
    }

    QString entry() const { return config.filePath(QStringLiteral("autostart/zentrope.desktop")); }

    QTemporaryDir config;
    ScopedEnvironment environment;
    TestBundle bundle{QStringLiteral("with space")};
    platform::XdgAutostartLoginItem loginItem{bundle.bundle()};
};

} // namespace

TEST_F(XdgAutostartLoginItemTest, StatusFollowsTheEntryAndTheExecutable)
{
    EXPECT_EQ(loginItem.status(), Status::notRegistered);
    writeFileAt(entry(), "[Desktop Entry]\nType=Application\nExec=zentrope\n");
    EXPECT_EQ(loginItem.status(), Status::enabled);
    writeFileAt(entry(), "[Desktop Entry]\nExec=zentrope\nHidden=true\n");
    EXPECT_EQ(loginItem.status(), Status::requiresApproval);
    writeFileAt(entry(), "[Desktop Entry]\nX-GNOME-Autostart-enabled = false\n");
    EXPECT_EQ(loginItem.status(), Status::requiresApproval);
    writeFileAt(entry(), "[Desktop Entry]\nExec=z\n[Desktop Action x]\nHidden=true\n");
    EXPECT_EQ(loginItem.status(), Status::enabled); // another group's keys do not count
    QFile::remove(bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope"));
    EXPECT_EQ(loginItem.status(), Status::notFound);
}

TEST_F(XdgAutostartLoginItemTest, RegisteringWritesAnEnabledEntryThatStartsTheBundle)
{
    writeFileAt(entry(), "[Desktop Entry]\nHidden=true\n"); // turned off by the desktop
    ASSERT_TRUE(loginItem.registerItem().ok());
    EXPECT_EQ(loginItem.status(), Status::enabled);
    const auto keys = platform::DesktopEntry::mainGroup(readFileAt(entry()));
    EXPECT_EQ(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(keys.value(QStringLiteral("Exec")),
              u'"' + bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope\""));
    EXPECT_FALSE(keys.contains(QStringLiteral("Hidden")));

    ASSERT_TRUE(loginItem.unregisterItem().ok());
    EXPECT_FALSE(QFile::exists(entry()));
    EXPECT_EQ(loginItem.status(), Status::notRegistered);
    EXPECT_TRUE(loginItem.unregisterItem().ok()); // nothing left to remove
}

TEST_F(XdgAutostartLoginItemTest, RegisteringAMissingApplicationFailsAndWritesNothing)
{
    QFile::remove(bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope"));
    const Result<Done> registered = loginItem.registerItem();
    ASSERT_FALSE(registered.ok());
    EXPECT_EQ(
        registered.error().description,
        QStringLiteral("The Zentrope application was not found at “%1/Contents/MacOS/Zentrope”.")
            .arg(bundle.path()));
    EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(XdgAutostartLoginItemTest, AnUnwritableFolderIsReportedWithItsPath)
{
    writeFileAt(config.filePath(QStringLiteral("autostart")), "a file, not a folder");
    const Result<Done> registered = loginItem.registerItem();
    ASSERT_FALSE(registered.ok());
    EXPECT_TRUE(
        registered.error().description.contains(config.filePath(QStringLiteral("autostart"))));
}

TEST_F(XdgAutostartLoginItemTest, WithoutAnAbsoluteConfigHomeTheEntryIsInTheHomeFolder)
{
    environment.set("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(platform::XdgAutostartLoginItem::entryPath(),
              QDir::homePath() + QStringLiteral("/.config/autostart/zentrope.desktop"));
    environment.unset("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::XdgAutostartLoginItem::entryPath(),
              QDir::homePath() + QStringLiteral("/.config/autostart/zentrope.desktop"));
}

TEST(DesktopEntry, ExecArgumentsAreQuotedThenStringEscaped)
{
    EXPECT_EQ(platform::DesktopEntry::execArgument(QStringLiteral(R"(/a b/$x"y`z\w 100%)")),
              QStringLiteral(R"("/a b/\\$x\\"y\\`z\\\\w 100%%")"));
}
