// The login item as an XDG autostart entry, in the test's own config folder.
#include "platform/linux/XdgAutostartLoginItem.h"

#include "platform/linux/DesktopEntry.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Status = platform::LoginItem::Status;

namespace {

class XdgAutostartLoginItemTest : public ::testing::Test
{
protected:
    XdgAutostartLoginItemTest() { bundle.writeFile(u"MacOS/Zentrope"_s, "", true); }

    QString entry() const { return config.filePath(u"autostart/zentrope.desktop"_s); }
    void removeApp() const { QFile::remove(bundle.path() + u"/Contents/MacOS/Zentrope"_s); }

    QTemporaryDir config;
    ScopedEnvironment environment{"XDG_CONFIG_HOME", config.path().toUtf8()};
    TestBundle bundle{u"with space"_s};
    platform::XdgAutostartLoginItem loginItem{bundle.bundle()};
};

} // namespace

TEST_F(XdgAutostartLoginItemTest,
       StatusFollowsTheEntryAndTheApplicationWithoutWhichNothingRegisters)
{
    EXPECT_EQ(loginItem.status(), Status::notRegistered);
    writeFileAt(entry(), "[Desktop Entry]\nExec=z\n[Desktop Action x]\nHidden=true\n");
    EXPECT_EQ(loginItem.status(), Status::enabled); // another group's keys do not count
    writeFileAt(entry(), "[Desktop Entry]\nX-GNOME-Autostart-enabled = false\n");
    EXPECT_EQ(loginItem.status(), Status::requiresApproval);
    removeApp();
    EXPECT_EQ(loginItem.status(), Status::notFound);
    ASSERT_TRUE(QFile::remove(entry()));
    EXPECT_EQ(loginItem.registerItem().error().description,
              u"The Zentrope application was not found at “%1”."_s.arg(loginItem.executablePath()));
    EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(XdgAutostartLoginItemTest, RegisteringWritesAnEnabledEntryThatStartsTheBundle)
{
    writeFileAt(entry(), "[Desktop Entry]\nHidden=true\n"); // turned off by the desktop
    ASSERT_TRUE(loginItem.registerItem().ok());
    EXPECT_EQ(loginItem.status(), Status::enabled);
    EXPECT_EQ(platform::DesktopEntry::mainGroup(readFileAt(entry())).value(u"Exec"_s),
              u'"' + bundle.path() + u"/Contents/MacOS/Zentrope\""_s);

    ASSERT_TRUE(loginItem.unregisterItem().ok());
    EXPECT_EQ(loginItem.status(), Status::notRegistered);
    EXPECT_TRUE(loginItem.unregisterItem().ok()); // nothing left to remove
}

// Desktops start only a regular file: a folder by the entry's name starts
// nothing, and is not ours to remove or write over.
TEST_F(XdgAutostartLoginItemTest, AFolderByTheEntrysNameIsNoEntry)
{
    ASSERT_TRUE(QDir().mkpath(entry()));
    EXPECT_EQ(loginItem.status(), Status::notRegistered);
    EXPECT_EQ(loginItem.registerItem().error().description,
              QStringLiteral("“%1” is in the way: it is not an autostart entry but a folder. "
                             "Remove it and try again.")
                  .arg(entry()));
    EXPECT_TRUE(loginItem.unregisterItem().ok());
    EXPECT_TRUE(QFileInfo(entry()).isDir());
}

// A link by the entry's name, to a turned-off entry elsewhere: registering
// replaces the link with an entry of our own and leaves its target alone.
TEST_F(XdgAutostartLoginItemTest, RegisteringReplacesALinkAndNeverWritesItsTarget)
{
    const QString elsewhere =
        writeFileAt(config.filePath(u"elsewhere.desktop"_s), "[Desktop Entry]\nHidden=true\n");
    ASSERT_TRUE(QDir().mkpath(config.filePath(u"autostart"_s)));
    ASSERT_TRUE(QFile::link(elsewhere, entry()));
    EXPECT_EQ(loginItem.status(), Status::requiresApproval);
    ASSERT_TRUE(loginItem.registerItem().ok());
    EXPECT_EQ(loginItem.status(), Status::enabled);
    EXPECT_FALSE(QFileInfo(entry()).isSymLink());
    EXPECT_EQ(readFileAt(elsewhere), "[Desktop Entry]\nHidden=true\n");
}

TEST(DesktopEntry, ExecArgumentsAreQuotedThenStringEscaped)
{
    EXPECT_EQ(platform::DesktopEntry::execArgument(QStringLiteral(R"(/a b/$x"y`z\w 100%)")),
              QStringLiteral(R"("/a b/\\$x\\"y\\`z\\\\w 100%%")"));
}
