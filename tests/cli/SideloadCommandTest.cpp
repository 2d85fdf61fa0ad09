// Runs the built zentropectl against a throwaway home folder.
#include "core/OfficeHost.h"
#include "support/FakeApplication.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

const OfficeHost word = OfficeHost::word;
const OfficeHost excel = OfficeHost::excel;
const OfficeHost powerpoint = OfficeHost::powerpoint;

class SideloadCommandTest : public ::testing::Test
{
protected:
    CliRun zentropectl(const QStringList& arguments,
                       const QString& program = QStringLiteral(ZENTROPECTL_PATH)) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.path() + QStringLiteral("/.config"));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    // A copy of zentropectl inside a bundle that ships `manifest`, as an installed one is.
    QString bundledZentropectl(const QByteArray& manifest) const
    {
        bundle.writeFile(QStringLiteral("Resources/setup/manifest.xml"), manifest);
        const QString copy = bundle.path() + QStringLiteral("/Contents/MacOS/zentropectl");
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), copy));
        return copy;
    }
    static void installContainer(OfficeHost host)
    {
        ASSERT_TRUE(QDir().mkpath(host.containerDirectory()));
    }
    static QString installed(OfficeHost host)
    {
        return host.wefDirectory() + QStringLiteral("/zentrope.manifest.xml");
    }

    TemporaryHome home;
    TestBundle bundle;
};

TEST_F(SideloadCommandTest, StatusHasOneLinePerHostAndAJsonForm)
{
    // Excel is the sideloaded one: a concurrent test runs a fake Word.
    installContainer(word);
    installContainer(excel);
    writeFileAt(installed(excel), "m");
    const QString lines = QStringLiteral("Microsoft Word: Not sideloaded\n"
                                         "Microsoft Excel: Sideloaded\n"
                                         "Microsoft PowerPoint: App not installed on this Mac\n");
    EXPECT_EQ(zentropectl({QStringLiteral("sideload")}).out, lines);
    EXPECT_EQ(zentropectl({QStringLiteral("sideload"), QStringLiteral("status")}).out, lines);

    const CliRun json = zentropectl(
        {QStringLiteral("sideload"), QStringLiteral("status"), QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_LT(json.out.indexOf(u"\"word\""), json.out.indexOf(u"\"excel\""));
    EXPECT_LT(json.out.indexOf(u"\"excel\""), json.out.indexOf(u"\"powerpoint\""));
    const QJsonObject hosts = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QJsonObject excelState = hosts.value(QStringLiteral("excel")).toObject();
    EXPECT_TRUE(excelState.value(QStringLiteral("installed")).toBool());
    EXPECT_TRUE(excelState.value(QStringLiteral("sideloaded")).toBool());
    EXPECT_FALSE(excelState.value(QStringLiteral("running")).toBool(true));
    EXPECT_EQ(excelState.value(QStringLiteral("wefDirectory")).toString(), excel.wefDirectory());
    EXPECT_FALSE(hosts.value(QStringLiteral("powerpoint"))
                     .toObject()
                     .value(QStringLiteral("installed"))
                     .toBool(true));
}

TEST_F(SideloadCommandTest, InstallUsesTheBundledManifest)
{
    installContainer(word);
    installContainer(excel);
    const QString program = bundledZentropectl("production");
    const CliRun all =
        zentropectl({QStringLiteral("sideload"), QStringLiteral("install")}, program);
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.out, QStringLiteral("Installed into: Microsoft Word, Microsoft Excel\n"));
    EXPECT_EQ(readFileAt(installed(excel)), "production");

    const CliRun one = zentropectl({QStringLiteral("sideload"), QStringLiteral("install"),
                                    QStringLiteral("--host"), QStringLiteral("word")},
                                   program);
    EXPECT_EQ(one.out, QStringLiteral("Installed at %1\n").arg(installed(word)));
    const CliRun skipped = zentropectl({QStringLiteral("sideload"), QStringLiteral("install"),
                                        QStringLiteral("--host"), QStringLiteral("powerpoint")},
                                       program);
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_EQ(skipped.out, QStringLiteral("Skipped install into Microsoft PowerPoint: "
                                          "Microsoft PowerPoint not installed\n"));
}

TEST_F(SideloadCommandTest, WithoutAManifestNothingIsTouched)
{
    installContainer(word);
    // The build tree's zentropectl lies in no bundle, so it has no manifest.
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("sideload"), QStringLiteral("install")},
          QStringList{QStringLiteral("sideload"), QStringLiteral("install"),
                      QStringLiteral("--host"), QStringLiteral("word")}}) {
        const CliRun run = zentropectl(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, QStringLiteral("Pick a manifest first.\n"));
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(word.wefDirectory()));
}

TEST_F(SideloadCommandTest, ACustomManifestThatIsAFolderFailsAndKeepsTheInstalledOne)
{
    installContainer(word);
    writeFileAt(installed(word), "current");
    const QString folder = bundle.root();
    const CliRun one = zentropectl({QStringLiteral("sideload"), QStringLiteral("install"),
                                    QStringLiteral("--host"), QStringLiteral("word"),
                                    QStringLiteral("--manifest"), folder});
    const QString failure =
        QStringLiteral("Failed to install into Microsoft Word: The manifest “%1” is a folder, "
                       "not a file.\n")
            .arg(folder);
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.err, failure);

    const CliRun all = zentropectl({QStringLiteral("sideload"), QStringLiteral("install"),
                                    QStringLiteral("--manifest"), folder});
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_EQ(all.out, QStringLiteral("No Office hosts installed.\n"));
    EXPECT_EQ(all.err, failure);
    EXPECT_EQ(readFileAt(installed(word)), "current");
}

TEST_F(SideloadCommandTest, RemoveSpeaksTheTabsWords)
{
    installContainer(word);
    writeFileAt(installed(word), "m");
    writeFileAt(installed(excel), "m");
    const QStringList remove{QStringLiteral("sideload"), QStringLiteral("remove")};
    EXPECT_EQ(
        zentropectl(remove + QStringList{QStringLiteral("--host"), QStringLiteral("excel")}).out,
        QStringLiteral("Removed %1\n").arg(installed(excel)));
    EXPECT_EQ(
        zentropectl(remove + QStringList{QStringLiteral("--host"), QStringLiteral("excel")}).out,
        QStringLiteral("Skipped remove from Microsoft Excel: not sideloaded\n"));
    EXPECT_EQ(zentropectl(remove).out, QStringLiteral("Removed from: Microsoft Word\n"));
    const CliRun nothing = zentropectl(remove);
    EXPECT_EQ(nothing.exitCode, 0);
    EXPECT_EQ(nothing.out, QStringLiteral("Nothing to remove.\n"));
}

TEST_F(SideloadCommandTest, BadArgumentsAreUsageErrors)
{
    for (const QStringList& arguments : {
             QStringList{QStringLiteral("sideload"), QStringLiteral("install"),
                         QStringLiteral("--host"), QStringLiteral("Word")},
             QStringList{QStringLiteral("sideload"), QStringLiteral("reinstall")},
             QStringList{QStringLiteral("sideload"), QStringLiteral("status"),
                         QStringLiteral("--manifest"), QStringLiteral("m.xml")},
             QStringList{QStringLiteral("sideload"), QStringLiteral("remove"),
                         QStringLiteral("--json")},
             QStringList{QStringLiteral("sideload"), QStringLiteral("install"),
                         QStringLiteral("--manifest"), QString()},
         }) {
        const CliRun run = zentropectl(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(u"zentropectl: "));
    }
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Library")));
}

TEST_F(SideloadCommandTest, FlushCachesNamesTheInstalledHosts)
{
    EXPECT_EQ(zentropectl({QStringLiteral("flush-caches")}).out,
              QStringLiteral("No Office hosts installed.\n"));
    const QString cache =
        writeFileAt(powerpoint.containerDataLibrary() + QStringLiteral("/Caches/entry"), "x");
    installContainer(word);
    const CliRun run = zentropectl({QStringLiteral("flush-caches")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("Microsoft Word\nMicrosoft PowerPoint\n"));
    EXPECT_FALSE(QFileInfo::exists(cache));
}

// The only test that runs applications with Office identifiers: the real
// quit request reaches every process of the user, so others must not.
TEST_F(SideloadCommandTest, RunningHostsAreSeenAndOnlyExactIdentifiersAreAskedToQuit)
{
    installContainer(word);
    writeFileAt(installed(word), "m");
    FakeApplication wordApp(bundle.root(), QStringLiteral("Microsoft Word"),
                            QStringLiteral("com.microsoft.Word"));
    FakeApplication lookalike(bundle.root(), QStringLiteral("Lookalike"),
                              QStringLiteral("com.microsoft.word"));
    ASSERT_TRUE(wordApp.start() && lookalike.start());
    EXPECT_TRUE(zentropectl({QStringLiteral("sideload")})
                    .out.startsWith(u"Microsoft Word: Sideloaded — restart to load\n"));

    const CliRun quit = zentropectl({QStringLiteral("quit-hosts")});
    EXPECT_EQ(quit.exitCode, 0);
    EXPECT_EQ(quit.out, QStringLiteral("Asked Microsoft Word to quit.\n"));
    EXPECT_EQ(wordApp.waitForEndingSignal(), SIGTERM);
    // Had it been asked too, that earlier SIGTERM would be what ended it.
    lookalike.kill();
    EXPECT_EQ(lookalike.waitForEndingSignal(), SIGKILL);
    EXPECT_EQ(zentropectl({QStringLiteral("quit-hosts")}).out,
              QStringLiteral("No Office hosts running.\n"));
}

} // namespace
