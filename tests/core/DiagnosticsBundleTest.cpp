#include "core/DiagnosticsBundle.h"

#include "core/DaemonChannel.h"
#include "core/LogTail.h"
#include "core/OfficeHost.h"
#include "platform/fake/FakeServices.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using testing::UnorderedElementsAreArray;

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// The names `unzip -l` lists: those between its two rulers.
std::vector<QString> entriesOf(const QString& archive)
{
    std::vector<QString> names;
    const QList<QByteArray> lines = run(u"/usr/bin/unzip"_s, {u"-l"_s, archive}).split('\n');
    bool inside = false;
    for (const QByteArray& line : lines) {
        if (line.startsWith("---")) {
            if (inside)
                break;
            inside = true;
        } else if (inside) {
            names.push_back(QString::fromUtf8(line.simplified()).section(u' ', 3));
        }
    }
    return names;
}

QByteArray entry(const QString& archive, const QString& name)
{
    return run(u"/usr/bin/unzip"_s, {u"-p"_s, archive, name});
}

quint16 closedPort()
{
    TestServer gone(TestServer::Serves::nothing);
    return gone.port();
}

class DiagnosticsBundleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bundle.writeInfoPlist(
            {{u"CFBundleShortVersionString"_s, u"1.0"_s}, {u"CFBundleVersion"_s, u"42"_s}});
        services.systemFacts->operatingSystem = u"Debian GNU/Linux 12 (bookworm), kernel 6.1.0"_s;
        services.systemFacts->hardwareMachine = u"x86_64"_s;
        services.systemFacts->memory = 17'179'869'184ULL;
        services.systemFacts->locale = u"en_US"_s;
        services.systemFacts->timeZone = u"Europe/Berlin"_s;
    }

    DiagnosticsBundle::Outcome generate(quint16 port, const QString& zip = u"/usr/bin/zip"_s)
    {
        DaemonChannel channel(port, {TestCertificates::shared().caCertificate()});
        DiagnosticsBundle::Setup setup{
            bundle.bundle(),      logs,        &channel, services.workspace,
            services.systemFacts, temp.path(), desktop,  zip};
        return awaitResult(DiagnosticsBundle::generate(setup), std::chrono::seconds(60));
    }

    // The working folder of the only run so far.
    QString workingFolder() const
    {
        const QDir folder(DiagnosticsBundle::privateFolder(temp.path()));
        const QStringList runs = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return runs.size() == 1 ? folder.filePath(runs.first()) : QString();
    }

    TemporaryHome home;
    QTemporaryDir temp;
    TestBundle bundle;
    platform::FakeServices services;
    const QString logs = home.path() + u"/Library/Logs/Zentrope"_s;
    const QString desktop = home.path() + u"/Desktop"_s; // missing until a run makes it
};

TEST_F(DiagnosticsBundleTest, AnArchiveHoldsOneFolderWithEveryEntryInItsExactWords)
{
    const QByteArray body = R"({"ok":true,"version":"2.1.0","activeSessions":3,)"
                            R"("permissions":{"prismAutomation":"granted",)"
                            R"("systemEventsAutomation":"denied"}}   )"
                            "\r\n";
    TestServer daemon(TestServer::Serves::plainHttp); // a daemon without its certificate
    daemon.setAnswer(200, body);
    // 5 MB ending in personal data; only the last MiB goes in, masked.
    const QByteArray last = home.path().toUtf8() + "/notes.txt by jo@example.org\n";
    QByteArray log(5'000'000 - last.size(), 'x');
    log += last;
    writeFileAt(logs + u"/daemon.log"_s, log);
    const OfficeHost word = OfficeHost::word, excel = OfficeHost::excel;
    writeFileAt(word.wefDirectory() + u"/zentrope.manifest.xml"_s, "<manifest/>");
    QDir().mkpath(excel.containerDirectory());
    services.workspace->setApplications({{7, word.bundleId(), u"/Word.app"_s}});

    const auto outcome = generate(daemon.port());
    ASSERT_TRUE(outcome.ok()) << outcome.error().description.toStdString();
    const QString archive = outcome.value().url.toLocalFile();
    const QString stamp = QFileInfo(archive).completeBaseName().mid(21);
    ASSERT_TRUE(QRegularExpression(u"^\\d{8}T\\d{6}$"_s).match(stamp).hasMatch())
        << archive.toStdString();
    EXPECT_EQ(archive, desktop + u"/zentrope-diagnostics-"_s + stamp + u".zip"_s);
    EXPECT_EQ(outcome.value().bytes, QFileInfo(archive).size());

    const QString top = u"zentrope-diagnostics-"_s + stamp + u'/';
    std::vector<QString> expected{top, top + u"logs/"_s};
    for (const char* name : {"summary.txt", "status.json", "logs/daemon.log", "logs/daemon.err",
                             "system.txt", "sideload.txt"})
        expected.push_back(top + QLatin1String(name));
    EXPECT_THAT(entriesOf(archive), UnorderedElementsAreArray(expected));

    QDateTime generated = QDateTime::fromString(stamp, u"yyyyMMdd'T'HHmmss"_s);
    generated.setTimeSpec(Qt::UTC);
    EXPECT_EQ(entry(archive, top + u"summary.txt"_s),
              "Zentrope diagnostics\nGenerated: " + generated.toString(Qt::ISODate).toUtf8() +
                  "\nApp version: 1.0 (42)\nBundle: " + bundle.path().toUtf8() +
                  "\n\nDaemon: listening, version 2.1.0\nActive sessions: 3\n"
                  "Prism automation TCC: granted\nSystem Events TCC: denied");
    EXPECT_EQ(entry(archive, top + u"status.json"_s), body);
    const QByteArray maskedLast =
        QFileInfo(home.path()).path().toUtf8() + "/<redacted>/notes.txt by <redacted-email>\n";
    EXPECT_EQ(entry(archive, top + u"logs/daemon.log"_s),
              QByteArray(LogTail::maximumBytes - last.size(), 'x') + maskedLast);
    EXPECT_EQ(entry(archive, top + u"logs/daemon.err"_s),
              "(no log file at " + logs.toUtf8() + "/daemon.err)");
    EXPECT_EQ(entry(archive, top + u"system.txt"_s),
              "OS version: Debian GNU/Linux 12 (bookworm), kernel 6.1.0\n"
              "Process architecture: x86_64\nCPU brand: unknown\nMemory: 16 GB\n"
              "Locale: en_US\nTime zone: Europe/Berlin");
    EXPECT_EQ(entry(archive, top + u"sideload.txt"_s),
              "Microsoft Word: sideloaded at " + word.wefDirectory().toUtf8() +
                  "/zentrope.manifest.xml\n  running: true\n"
                  "Microsoft Excel: not sideloaded\n  running: false\n"
                  "Microsoft PowerPoint: host not installed");

    EXPECT_EQ(workingFolder(), QString()) << "removed after a good run";
    EXPECT_EQ(QFileInfo(DiagnosticsBundle::privateFolder(temp.path())).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                  QFile::WriteUser | QFile::ExeUser);
}

TEST_F(DiagnosticsBundleTest, AStoppedDaemonIsNotReachableInBothFiles)
{
    const quint16 port = closedPort();
    const auto outcome = generate(port);
    ASSERT_TRUE(outcome.ok()) << outcome.error().description.toStdString();
    const QString archive = outcome.value().url.toLocalFile();
    const QString top = QFileInfo(archive).completeBaseName() + u'/';
    EXPECT_EQ(entry(archive, top + u"status.json"_s), "daemon not reachable");
    const QByteArray summary = entry(archive, top + u"summary.txt"_s);
    EXPECT_TRUE(summary.endsWith("\n\nDaemon: not reachable on https://127.0.0.1:" +
                                 QByteArray::number(port)))
        << summary.toStdString();
}

TEST_F(DiagnosticsBundleTest, AnyHttpsAnswerIsKeptAsReceivedEvenOneThatDoesNotDecode)
{
    TestServer daemon(TestServer::Serves::https);
    const QByteArray body("busy \xff\x00 \n", 9);
    daemon.setAnswer(503, body, "text/plain");
    const auto outcome = generate(daemon.port());
    ASSERT_TRUE(outcome.ok()) << outcome.error().description.toStdString();
    const QString archive = outcome.value().url.toLocalFile();
    const QString top = QFileInfo(archive).completeBaseName() + u'/';
    EXPECT_EQ(entry(archive, top + u"status.json"_s), body);
    EXPECT_TRUE(entry(archive, top + u"summary.txt"_s).contains("Daemon: not reachable on "));
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
    EXPECT_TRUE(QDir(desktop).isEmpty()) << "the partial archive went too";
    const QString left = workingFolder();
    ASSERT_FALSE(left.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(left + u"/sideload.txt"_s));

    const auto unstartable = generate(closedPort(), tools.filePath(u"missing-zip"_s));
    ASSERT_FALSE(unstartable.ok());
    EXPECT_EQ(unstartable.error().domain, u"DiagnosticsBundle"_s);
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
