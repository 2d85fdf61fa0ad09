#include "core/support/DiagnosticsBundle.h"

#include "core/api/DaemonChannel.h"
#include "core/logs/LogTail.h"
#include "core/office/OfficeHost.h"
#include "platform/fake/FakeServices.h"
#include "support/Printers.h"
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

namespace {

QByteArray unzip(const QStringList& arguments)
{
    QProcess process;
    process.start(u"/usr/bin/unzip"_s, arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0);
    return process.readAllStandardOutput();
}

quint16 closedPort()
{
    return TestServer(TestServer::Serves::nothing).port();
}

class DiagnosticsBundleTest : public ::testing::Test
{
protected:
    // Runs with the daemon's channel on `port`; the archive's path goes to `archive`.
    DiagnosticsBundle::Outcome generate(quint16 port, const QString& zip = u"/usr/bin/zip"_s)
    {
        DaemonChannel channel(port, {TestCertificates::shared().caCertificate()});
        const auto outcome = awaitResult(
            DiagnosticsBundle::generate({bundle.bundle(), logs, &channel, services.workspace,
                                         services.systemFacts, temp.path(), desktop, zip}));
        archive = outcome ? outcome.value().url.toLocalFile() : QString();
        return outcome;
    }
    // `unzip -l`'s names, and the content of one entry of the top folder.
    QStringList entries() const
    {
        static const QRegularExpression row(uR"(^\s*\d+\s+\S+\s+\S+\s+(\S+)$)"_s);
        QStringList names;
        for (const QByteArray& line : unzip({u"-l"_s, archive}).split('\n'))
            names += row.match(QString::fromUtf8(line)).captured(1);
        names.removeAll(QString());
        return names;
    }
    QByteArray entry(const QString& name) const
    {
        return unzip({u"-p"_s, archive, QFileInfo(archive).completeBaseName() + u'/' + name});
    }
    QStringList runFolders() const
    {
        return QDir(DiagnosticsBundle::privateFolder(temp.path()))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

    TemporaryHome home;
    QTemporaryDir temp;
    TestBundle bundle;
    platform::FakeServices services;
    const QString logs = home.path() + u"/Library/Logs/Zentrope"_s;
    const QString desktop = home.path() + u"/Desktop"_s; // missing until a run makes it
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
    // 5 MB ending in personal data; only the last MiB goes in, masked.
    const QByteArray last = home.path().toUtf8() + "/notes.txt by jo@example.org\n";
    writeFileAt(logs + u"/daemon.log"_s, QByteArray(5'000'000 - last.size(), 'x') + last);
    const OfficeHost word = OfficeHost::word;
    writeFileAt(word.wefDirectory() + u"/zentrope.manifest.xml"_s, "<manifest/>");
    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    services.workspace->setApplications({{7, word.bundleId(), u"/Word.app"_s}});

    const auto outcome = generate(daemon.port());
    ASSERT_TRUE(outcome.ok()) << outcome.error().description.toStdString();
    const QString stamp = QFileInfo(archive).completeBaseName().mid(21);
    ASSERT_TRUE(QRegularExpression(u"^\\d{8}T\\d{6}$"_s).match(stamp).hasMatch());
    EXPECT_EQ(archive, desktop + u"/zentrope-diagnostics-"_s + stamp + u".zip"_s);
    EXPECT_EQ(outcome.value().bytes, QFileInfo(archive).size());
    QStringList expected{u""_s,           u"summary.txt"_s,     u"status.json"_s,
                         u"logs/"_s,      u"logs/daemon.log"_s, u"logs/daemon.err"_s,
                         u"system.txt"_s, u"sideload.txt"_s};
    for (QString& name : expected)
        name.prepend(u"zentrope-diagnostics-"_s + stamp + u'/');
    QStringList listed = entries();
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);

    QDateTime generated = QDateTime::fromString(stamp, u"yyyyMMdd'T'HHmmss"_s);
    generated.setTimeSpec(Qt::UTC);
    EXPECT_EQ(entry(u"summary.txt"_s),
              "Zentrope diagnostics\nGenerated: " + generated.toString(Qt::ISODate).toUtf8() +
                  "\nApp version: 1.0 (42)\nBundle: " + bundle.path().toUtf8() +
                  "\n\nDaemon: listening, version 2.1.0\nActive sessions: 3\n"
                  "Prism automation TCC: granted\nSystem Events TCC: denied");
    EXPECT_EQ(entry(u"status.json"_s), body);
    EXPECT_EQ(entry(u"logs/daemon.log"_s), QByteArray(1'048'576 - last.size(), 'x') +
                                               QFileInfo(home.path()).path().toUtf8() +
                                               "/<redacted>/notes.txt by <redacted-email>\n");
    EXPECT_EQ(entry(u"logs/daemon.err"_s), "(no log file at " + logs.toUtf8() + "/daemon.err)");
    EXPECT_EQ(
        entry(u"system.txt"_s),
        "OS version: Debian GNU/Linux 12 (bookworm), kernel 6.1.0\nProcess architecture: "
        "unknown\nCPU brand: unknown\nMemory: 16 GB\nLocale: unknown\nTime zone: Europe/Berlin");
    EXPECT_EQ(entry(u"sideload.txt"_s),
              "Microsoft Word: sideloaded at " + word.wefDirectory().toUtf8() +
                  "/zentrope.manifest.xml\n  running: true\nMicrosoft Excel: not sideloaded\n"
                  "  running: false\nMicrosoft PowerPoint: host not installed");
    EXPECT_EQ(runFolders(), QStringList()) << "the working folder goes after a good run";
}

TEST_F(DiagnosticsBundleTest, ALogOfOneMebibyteGoesInWholeAndOneByteMoreLosesItsFirst)
{
    const QByteArray mebibyte = QByteArray(1'048'575, 'm') + '\n';
    ASSERT_EQ(mebibyte.size(), 1'048'576);
    writeFileAt(logs + u"/daemon.log"_s, 'F' + mebibyte); // 1,048,577 bytes
    writeFileAt(logs + u"/daemon.err"_s, mebibyte);
    ASSERT_TRUE(generate(closedPort()).ok());
    // Compared as Booleans: a failure would otherwise print a megabyte.
    EXPECT_TRUE(entry(u"logs/daemon.log"_s) == mebibyte);
    EXPECT_TRUE(entry(u"logs/daemon.err"_s) == mebibyte);
}

TEST_F(DiagnosticsBundleTest, AStoppedDaemonIsNotReachableInBothFiles)
{
    const quint16 port = closedPort();
    ASSERT_TRUE(generate(port).ok());
    EXPECT_EQ(entry(u"status.json"_s), "daemon not reachable");
    EXPECT_TRUE(entry(u"summary.txt"_s)
                    .endsWith("\n\nDaemon: not reachable on https://127.0.0.1:" +
                              QByteArray::number(port)));
}

TEST_F(DiagnosticsBundleTest, AnyHttpsAnswerIsKeptAsReceivedEvenOneThatDoesNotDecode)
{
    TestServer daemon(TestServer::Serves::https);
    const QByteArray body("busy \xff\x00 \n", 9);
    daemon.setAnswer(503, body, "text/plain");
    ASSERT_TRUE(generate(daemon.port()).ok());
    EXPECT_EQ(entry(u"status.json"_s), body);
    EXPECT_TRUE(entry(u"summary.txt"_s).contains("Daemon: not reachable on "));
    EXPECT_EQ(daemon.plainConnections(), 0) << "an HTTPS answer needs no retry";
}

TEST_F(DiagnosticsBundleTest, AFailingZipLeavesTheWorkingFolderAndNoArchive)
{
    QTemporaryDir tools;
    const QString zip =
        writeFileAt(tools.filePath(u"zip"_s), "#!/bin/sh\nprintf partial > \"$3\"\nexit 3\n", true);
    const auto failed = generate(closedPort(), zip);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), (Error{u"DiagnosticsBundle"_s, 3, u"zip exited 3"_s}));
    EXPECT_TRUE(QDir(desktop).isEmpty()) << "what zip left is gone";
    ASSERT_EQ(runFolders().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(DiagnosticsBundle::privateFolder(temp.path()) + u'/' +
                                  runFolders().first() + u"/sideload.txt"_s));

    const auto unstartable = generate(closedPort(), tools.filePath(u"missing"_s));
    ASSERT_FALSE(unstartable.ok());
    EXPECT_TRUE(unstartable.error().description.startsWith(u"Couldn’t run “"_s));
}

TEST_F(DiagnosticsBundleTest, NeverWritesThroughALinkPlantedAsThePrivateFolder)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), DiagnosticsBundle::privateFolder(temp.path())));
    const auto outcome = generate(closedPort());
    ASSERT_FALSE(outcome.ok());
    EXPECT_TRUE(
        outcome.error().description.contains(DiagnosticsBundle::privateFolder(temp.path())));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(desktop));
}

} // namespace
