#include "core/support/DiagnosticsBundle.h"

#include "core/api/DaemonChannel.h"
#include "core/office/OfficeHost.h"
#include "platform/fake/FakeServices.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray unzip(const QStringList& arguments)
{
    QProcess process;
    process.start(u"/usr/bin/unzip"_s, arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0);
    return process.readAllStandardOutput();
}

class DiagnosticsBundleTest : public ::testing::Test
{
protected:
    DiagnosticsBundle::Setup setup(DaemonChannel& channel, const QString& zip = u"/usr/bin/zip"_s)
    {
        return {bundle.bundle(),      logs,        &channel, services.workspace,
                services.systemFacts, temp.path(), desktop,  zip};
    }
    DiagnosticsBundle::Outcome generate(quint16 port)
    {
        DaemonChannel channel(port, {TestCertificates::shared().caCertificate()});
        return generate(setup(channel));
    }
    // The archive's path goes to `archive`.
    DiagnosticsBundle::Outcome generate(const DiagnosticsBundle::Setup& setup)
    {
        const auto outcome = awaitResult(DiagnosticsBundle::generate(setup));
        archive = outcome ? outcome.value().url.toLocalFile() : QString();
        return outcome;
    }
    QStringList entries() const
    {
        QStringList names = QString::fromUtf8(unzip({u"-Z1"_s, archive})).split(u'\n');
        names.removeAll(QString());
        names.sort();
        return names;
    }
    // One entry of the archive's top folder.
    QByteArray entry(const QString& name) const
    {
        const QString folder = QFileInfo(archive).completeBaseName().section(u' ', 0, 0);
        return unzip({u"-p"_s, archive, folder + u'/' + name});
    }
    QStringList runFolders() const
    {
        return QDir(DiagnosticsBundle::privateFolder(temp.path()))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }
    bool desktopIsEmpty() const
    {
        return QDir(desktop).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    TemporaryHome home;
    QTemporaryDir temp;
    TestBundle bundle;
    platform::FakeServices services;
    const QString logs = home.path() + u"/Library/Logs/Zentrope"_s;
    const QString desktop = home.path() + u"/Desktop"_s; // missing until a run makes it
    const QByteArray maskedHome = QFileInfo(home.path()).path().toUtf8() + "/<redacted>";
    QString archive;
};

TEST_F(DiagnosticsBundleTest, AnArchiveHoldsOneFolderWithEveryEntryInItsExactWords)
{
    bundle.writeInfoPlist(
        {{u"CFBundleShortVersionString"_s, u"1.0"_s}, {u"CFBundleVersion"_s, u"42"_s}});
    services.systemFacts->operatingSystem = u"Debian GNU/Linux 12 (bookworm), kernel 6.1.0"_s;
    services.systemFacts->memory = 17'179'869'184ULL;
    services.systemFacts->timeZone = u"Europe/Berlin"_s;
    const QByteArray body = R"({"ok":true,"version":"2.1.0","activeSessions":3,"permissions":)"
                            R"({"prismAutomation":"granted","systemEventsAutomation":"denied"}}  )"
                            "\r\n";
    TestServer daemon(TestServer::Serves::plainHttp); // a daemon without its certificate
    daemon.setAnswer(200, body);
    writeFileAt(logs + u"/daemon.log"_s, home.path().toUtf8() + "/notes.txt by jo@example.org\n");
    const OfficeHost word = OfficeHost::word;
    writeFileAt(word.wefDirectory() + u"/zentrope.manifest.xml"_s, "<manifest/>");
    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    services.workspace->setApplications({{7, word.bundleId(), u"/Word.app"_s}});

    const auto outcome = generate(daemon.port());
    ASSERT_TRUE(outcome.ok()) << outcome.error().description.toStdString();
    const QString name = QFileInfo(archive).completeBaseName();
    ASSERT_TRUE(
        QRegularExpression(u"^zentrope-diagnostics-\\d{8}T\\d{6}$"_s).match(name).hasMatch());
    EXPECT_EQ(archive, desktop + u'/' + name + u".zip"_s);
    EXPECT_EQ(outcome.value().bytes, QFileInfo(archive).size());
    QStringList expected;
    for (const char* each : {"", "logs/", "logs/daemon.err", "logs/daemon.log", "sideload.txt",
                             "status.json", "summary.txt", "system.txt"})
        expected.append(name + u'/' + QLatin1String(each));
    EXPECT_EQ(entries(), expected);

    QDateTime generated = QDateTime::fromString(name.mid(21), u"yyyyMMdd'T'HHmmss"_s);
    generated.setTimeSpec(Qt::UTC);
    EXPECT_EQ(entry(u"summary.txt"_s),
              "Zentrope diagnostics\nGenerated: " + generated.toString(Qt::ISODate).toUtf8() +
                  "\nApp version: 1.0 (42)\nBundle: " + bundle.path().toUtf8() +
                  "\n\nDaemon: listening, version 2.1.0\nActive sessions: 3\n"
                  "Prism automation TCC: granted\nSystem Events TCC: denied");
    EXPECT_EQ(entry(u"status.json"_s), body);
    EXPECT_EQ(entry(u"logs/daemon.log"_s), maskedHome + "/notes.txt by <redacted-email>\n");
    EXPECT_EQ(entry(u"logs/daemon.err"_s),
              "(no log file at " + maskedHome + "/Library/Logs/Zentrope/daemon.err)");
    EXPECT_EQ(
        entry(u"system.txt"_s),
        "OS version: Debian GNU/Linux 12 (bookworm), kernel 6.1.0\nProcess architecture: "
        "unknown\nCPU brand: unknown\nMemory: 16 GB\nLocale: unknown\nTime zone: Europe/Berlin");
    EXPECT_EQ(entry(u"sideload.txt"_s),
              "Microsoft Word: sideloaded at " + maskedHome +
                  word.wefDirectory().mid(home.path().size()).toUtf8() +
                  "/zentrope.manifest.xml\n  running: true\nMicrosoft Excel: not sideloaded\n"
                  "  running: false\nMicrosoft PowerPoint: host not installed");
    EXPECT_EQ(runFolders(), QStringList()) << "the working folder goes after a good run";
}

// A tail cut from a longer log starts at its first full line: no half of a
// name is left where the mask cannot see it.
TEST_F(DiagnosticsBundleTest, ALogOfOneMebibyteGoesInWholeALongerOneFromItsFirstFullLine)
{
    const QByteArray mebibyte = QByteArray(1'048'575, 'm') + '\n';
    ASSERT_EQ(mebibyte.size(), 1'048'576);
    writeFileAt(logs + u"/daemon.err"_s, mebibyte);
    const QByteArray lines = QByteArray(1'048'546, 'l') + "\nlast line\n";
    const QByteArray oneByteMore = "/home/alice-smith/x\n" + lines;
    ASSERT_EQ(oneByteMore.size(), 1'048'577);
    writeFileAt(logs + u"/daemon.log"_s, oneByteMore);
    ASSERT_TRUE(generate(closedLocalPort()).ok());
    // Compared as Booleans: a failure would otherwise print a megabyte.
    EXPECT_TRUE(entry(u"logs/daemon.err"_s) == mebibyte);
    EXPECT_TRUE(entry(u"logs/daemon.log"_s) == lines)
        << "the cut line, \"home/alice-smith/x\", is gone";
}

TEST_F(DiagnosticsBundleTest, AnyAnswerIsKeptAsReceivedAndNoneInTimeIsNotReachable)
{
    const quint16 port = closedLocalPort();
    ASSERT_TRUE(generate(port).ok());
    EXPECT_EQ(entry(u"status.json"_s), "daemon not reachable");
    EXPECT_TRUE(entry(u"summary.txt"_s)
                    .endsWith("\n\nDaemon: not reachable on https://127.0.0.1:" +
                              QByteArray::number(port)));

    TestServer busy(TestServer::Serves::https);
    busy.setAnswer(503, QByteArray("busy \xff\x00 \n", 9), "text/plain");
    ASSERT_TRUE(generate(busy.port()).ok());
    EXPECT_EQ(entry(u"status.json"_s), QByteArray("busy \xef\xbf\xbd\x00 \n", 11))
        << "as received, but read as text to be masked";
}

// Each failure is named with its own code; what zip left on the Desktop
// goes, the working folder stays for support to look at.
TEST_F(DiagnosticsBundleTest, AZipThatFailsIsKilledHangsOrIsMissingIsNamedAndLeavesNoArchive)
{
    QTemporaryDir tools;
    const struct
    {
        QByteArray script; // empty: no program at all
        int code;
        QString starts;
        QString ends;
    } cases[] = {
        {"printf partial > \"$3\"\necho 'zip I/O error: No space left on device' >&2\nexit 3",
         3,
         u"zip exited 3: zip I/O error: No space left on device"_s,
         {}},
        {"kill -TERM $$", 143, u"zip, archiving “"_s,
         u"”, was stopped by signal 15 (Terminated)."_s},
        {"exec sleep 30", -2, u"zip, archiving “"_s,
         u"”, did not finish within 0.2 s and was stopped."_s},
        {{}, -1, u"Couldn’t run “"_s, {}},
    };
    DaemonChannel channel(closedLocalPort(), {});
    EXPECT_EQ(setup(channel).zipDeadline, 120000ms);
    int failed = 0;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.code);
        const QString zip = tools.filePath(QString::number(++failed));
        if (!each.script.isEmpty())
            writeFileAt(zip, "#!/bin/sh\n" + each.script + '\n', true);
        DiagnosticsBundle::Setup slow = setup(channel, zip);
        slow.zipDeadline = 200ms;
        const auto outcome = generate(slow);
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.error().domain, u"DiagnosticsBundle"_s);
        EXPECT_EQ(outcome.error().code, each.code);
        EXPECT_TRUE(outcome.error().description.startsWith(each.starts) &&
                    outcome.error().description.endsWith(each.ends))
            << outcome.error().description.toStdString();
        EXPECT_TRUE(desktopIsEmpty()) << "what zip left is gone";
        ASSERT_EQ(runFolders().size(), failed);
    }
    const QDir own(DiagnosticsBundle::privateFolder(temp.path()) + u'/' + runFolders().first());
    const QStringList working = own.entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ASSERT_EQ(working.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(own.filePath(working.first() + u"/sideload.txt"_s)));
}

// That runs at the same time share no folder and no archive name is
// UniquePaths' (UniquePathsTest); that the summary's fields stay one line,
// DiagnosticsReport's.
TEST_F(DiagnosticsBundleTest, NeverWritesThroughALinkPlantedAsThePrivateFolder)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), DiagnosticsBundle::privateFolder(temp.path())));
    const auto outcome = generate(closedLocalPort());
    ASSERT_FALSE(outcome.ok());
    EXPECT_TRUE(
        outcome.error().description.contains(DiagnosticsBundle::privateFolder(temp.path())));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(desktop));
}

} // namespace

// The archive goes to the Desktop the desktop names, wherever it is, else to
// "Desktop" in the home folder.
TEST_F(DiagnosticsBundleTest, TheArchiveGoesToTheDesktopTheDesktopNamesElseDesktopInTheHome)
{
    ScopedEnvironment environment("XDG_CONFIG_HOME", (home.path() + u"/.config"_s).toUtf8());
    DaemonChannel channel(1, {});
    const auto desktopOfApplication = [&] {
        return DiagnosticsBundle::applicationSetup(bundle.bundle(), logs, channel,
                                                   services.services())
            .desktopDirectory;
    };
    EXPECT_EQ(desktopOfApplication(), home.path() + u"/Desktop"_s);

    QDir().mkpath(home.path() + u"/Schreibtisch"_s);
    writeFileAt(home.path() + u"/.config/user-dirs.dirs"_s,
                "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(desktopOfApplication(), home.path() + u"/Schreibtisch"_s);
}
