// `zentropectl install-cert` and `zentropectl login-item`, run as real
// processes from a throwaway bundle with a throwaway home.
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class SetupCommandsTest : public ::testing::Test
{
protected:
    SetupCommandsTest()
    {
        const QString tool = bundle.path() + QStringLiteral("/Contents/MacOS/zentropectl");
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), tool));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("c")));
        process.setProcessEnvironment(environment);
        process.setProgram(tool);
    }

    // Runs `zentropectl <arguments>`; answers the exit code, then stdout and stderr.
    QString run(const QString& arguments)
    {
        process.setArguments(arguments.split(u' '));
        process.start();
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::number(process.exitCode()) + u'|' +
               QString::fromUtf8(process.readAllStandardOutput()) + u'|' +
               QString::fromUtf8(process.readAllStandardError());
    }
    void script(const QByteArray& body) const
    {
        bundle.writeFile(QStringLiteral("Resources/setup/install-localhost-cert.sh"), body);
    }

    QTemporaryDir home;
    TestBundle bundle;
    QProcess process;
};

} // namespace

TEST_F(SetupCommandsTest, InstallCertPrintsTheOutputThenTheOutcome)
{
    EXPECT_EQ(run(QStringLiteral("install-cert")),
              QStringLiteral("1||Bundled cert installer missing.\n"));
    script("echo 'Making the certificate…'\necho 'Trusted.' >&2\n");
    EXPECT_EQ(run(QStringLiteral("install-cert")),
              QStringLiteral("0|Making the certificate…\nTrusted.\n"
                             "Cert installed. The daemon may need a restart.\n|"));
    script("echo 'User canceled.'\nexit 5\n");
    EXPECT_EQ(run(QStringLiteral("install-cert")),
              QStringLiteral("1||Cert install failed:\nUser canceled.\n"));
}

TEST_F(SetupCommandsTest, LoginItemShowsAndSwitchesTheStatus)
{
    EXPECT_EQ(run(QStringLiteral("login-item")), QStringLiteral("0|not found\n|"));
    EXPECT_TRUE(run(QStringLiteral("login-item on"))
                    .startsWith(QStringLiteral("1||The Zentrope application was not found at")));
    bundle.writeFile(QStringLiteral("MacOS/Zentrope"), "", true);
    EXPECT_EQ(run(QStringLiteral("login-item on")), QStringLiteral("0|enabled\n|"));
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("c/autostart/zentrope.desktop"))));
    EXPECT_EQ(run(QStringLiteral("login-item off")), QStringLiteral("0|not registered\n|"));
    EXPECT_TRUE(
        run(QStringLiteral("login-item maybe")).startsWith(QStringLiteral("2||zentropectl: ")));
    EXPECT_TRUE(
        run(QStringLiteral("install-cert now")).startsWith(QStringLiteral("2||zentropectl: ")));
}
