// `zentropectl install-cert` and `zentropectl login-item`, run as real
// processes from a throwaway bundle with a throwaway home.
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/ToolRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SetupCommandsTest : public ::testing::Test
{
protected:
    SetupCommandsTest()
    {
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
    }

    ToolRun run(const QStringList& arguments)
    {
        return ToolRun::run(bundle, arguments, environment);
    }
    void installScript(const QByteArray& body) const
    {
        bundle.writeFile(QStringLiteral("Resources/setup/install-localhost-cert.sh"), body);
    }
    void installApp() const
    {
        bundle.writeFile(QStringLiteral("MacOS/Zentrope"), "#!/bin/sh\n", true);
    }

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    TestBundle bundle;
};

} // namespace

TEST_F(SetupCommandsTest, InstallCertPrintsTheOutputThenTheOutcome)
{
    installScript("echo 'Making the certificate…'\necho 'Trusted.' >&2\n");
    const ToolRun installed = run({QStringLiteral("install-cert")});
    EXPECT_EQ(installed.exitCode, 0);
    EXPECT_EQ(installed.out, QStringLiteral("Making the certificate…\nTrusted.\n"
                                            "Cert installed. The daemon may need a restart.\n"));

    installScript("echo 'User canceled.'\nexit 5\n");
    const ToolRun failed = run({QStringLiteral("install-cert")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, QString());
    EXPECT_EQ(failed.err, QStringLiteral("Cert install failed:\nUser canceled.\n"));
}

TEST_F(SetupCommandsTest, InstallCertWithoutTheInstallerSaysSo)
{
    const ToolRun missing = run({QStringLiteral("install-cert")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, QStringLiteral("Bundled cert installer missing.\n"));
}

TEST_F(SetupCommandsTest, LoginItemShowsAndSwitchesTheStatus)
{
    EXPECT_EQ(run({QStringLiteral("login-item")}).out, QStringLiteral("not found\n"));
    const ToolRun notFound = run({QStringLiteral("login-item"), QStringLiteral("on")});
    EXPECT_EQ(notFound.exitCode, 1);
    EXPECT_TRUE(notFound.err.startsWith(QStringLiteral("The Zentrope application was not found")));

    installApp();
    EXPECT_EQ(run({QStringLiteral("login-item")}).out, QStringLiteral("not registered\n"));
    const ToolRun on = run({QStringLiteral("login-item"), QStringLiteral("on")});
    EXPECT_EQ(on.exitCode, 0);
    EXPECT_EQ(on.out, QStringLiteral("enabled\n"));
    const QString entry = home.filePath(QStringLiteral("config/autostart/zentrope.desktop"));
    writeFileAt(entry, readFileAt(entry) + "Hidden=true\n"); // the desktop turns it off
    EXPECT_EQ(run({QStringLiteral("login-item")}).out, QStringLiteral("requires approval\n"));
    EXPECT_EQ(run({QStringLiteral("login-item"), QStringLiteral("off")}).out,
              QStringLiteral("not registered\n"));
    EXPECT_FALSE(QFile::exists(entry));
}

TEST_F(SetupCommandsTest, UsageErrorsExitTwo)
{
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("login-item"), QStringLiteral("maybe")},
          QStringList{QStringLiteral("login-item"), QStringLiteral("on"), QStringLiteral("off")},
          QStringList{QStringLiteral("install-cert"), QStringLiteral("now")}}) {
        const ToolRun wrong = run(arguments);
        EXPECT_EQ(wrong.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(wrong.err.startsWith(QStringLiteral("zentropectl: ")));
    }
}
