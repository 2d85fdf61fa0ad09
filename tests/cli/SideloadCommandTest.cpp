// Runs the built zentropectl against a throwaway home folder.
#include "core/office/OfficeHost.h"
#include "support/CliRun.h"
#include "support/FakeApplication.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const OfficeHost word = OfficeHost::word;
const OfficeHost excel = OfficeHost::excel;

class SideloadCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(word.containerDirectory()));
        ASSERT_TRUE(QDir().mkpath(excel.containerDirectory()));
    }
    // `words` split at spaces, then `more` as they are.
    CliRun zentropectl(const QString& words, const QStringList& more = {},
                       const QString& program = QStringLiteral(ZENTROPECTL_PATH)) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, home.path() + u"/.config"_s);
        return CliRun::of(words.split(u' ') + more, environment, program);
    }
    // A copy of zentropectl in a bundle that ships `manifest`, as an installed one is.
    QString bundledZentropectl(const QByteArray& manifest) const
    {
        bundle.writeFile(u"Resources/setup/manifest.xml"_s, manifest);
        const QString copy = bundle.path() + u"/Contents/MacOS/zentropectl"_s;
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), copy));
        return copy;
    }
    static QString installed(OfficeHost host)
    {
        return host.wefDirectory() + u"/zentrope.manifest.xml"_s;
    }

    TemporaryHome home;
    TestBundle bundle;
};

TEST_F(SideloadCommandTest, StatusHasOneLinePerHostAndAJsonForm)
{
    // Excel is the sideloaded one: a concurrent test runs a fake Word.
    writeFileAt(installed(excel), "m");
    const QString lines = u"Microsoft Word: Not sideloaded\nMicrosoft Excel: Sideloaded\n"
                          u"Microsoft PowerPoint: App not installed on this Mac\n"_s;
    EXPECT_EQ(zentropectl(u"sideload"_s).out, lines);
    EXPECT_EQ(zentropectl(u"sideload status"_s).out, lines);

    const CliRun json = zentropectl(u"sideload status --json"_s);
    EXPECT_LT(json.out.indexOf(u"\"word\""), json.out.indexOf(u"\"excel\""));
    EXPECT_LT(json.out.indexOf(u"\"excel\""), json.out.indexOf(u"\"powerpoint\""));
    const QJsonObject hosts = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(hosts.value(u"excel"_s).toObject(),
              QJsonObject({{u"installed"_s, true},
                           {u"sideloaded"_s, true},
                           {u"running"_s, false},
                           {u"wefDirectory"_s, excel.wefDirectory()}}));
    EXPECT_FALSE(hosts.value(u"powerpoint"_s).toObject().value(u"installed"_s).toBool(true));
}

TEST_F(SideloadCommandTest, InstallUsesTheBundledManifestOrAsksForOne)
{
    const CliRun missing = zentropectl(u"sideload install"_s);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, u"Pick a manifest first.\n"_s);
    EXPECT_FALSE(QFileInfo::exists(word.wefDirectory()));

    const QString program = bundledZentropectl("production");
    const CliRun all = zentropectl(u"sideload install"_s, {}, program);
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.out, u"Installed into: Microsoft Word, Microsoft Excel\n"_s);
    EXPECT_EQ(readFileAt(installed(excel)), "production");
    EXPECT_EQ(zentropectl(u"sideload install --host word"_s, {}, program).out,
              u"Installed at %1\n"_s.arg(installed(word)));
    const CliRun skipped = zentropectl(u"sideload install --host powerpoint"_s, {}, program);
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_EQ(skipped.out,
              u"Skipped install into Microsoft PowerPoint: Microsoft PowerPoint not installed\n"_s);
}

TEST_F(SideloadCommandTest, AFailedStepIsReportedOnStandardErrorWithExitOne)
{
    writeFileAt(installed(word), "current");
    const QString folder = bundle.root();
    const QString failure =
        u"Failed to install into %1: The manifest “%2” is a folder, not a file.\n"_s;
    const CliRun one = zentropectl(u"sideload install --host word --manifest"_s, {folder});
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.err, failure.arg(word.displayName(), folder));

    const CliRun all = zentropectl(u"sideload install --manifest"_s, {folder});
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_EQ(all.out, u"No Office hosts installed.\n"_s);
    EXPECT_EQ(all.err,
              failure.arg(word.displayName(), folder) + failure.arg(excel.displayName(), folder));
    EXPECT_EQ(readFileAt(installed(word)), "current");
}

TEST_F(SideloadCommandTest, RemoveSpeaksTheTabsWords)
{
    writeFileAt(installed(word), "m");
    writeFileAt(installed(excel), "m");
    EXPECT_EQ(zentropectl(u"sideload remove --host excel"_s).out,
              u"Removed %1\n"_s.arg(installed(excel)));
    EXPECT_EQ(zentropectl(u"sideload remove --host excel"_s).out,
              u"Skipped remove from Microsoft Excel: not sideloaded\n"_s);
    EXPECT_EQ(zentropectl(u"sideload remove"_s).out, u"Removed from: Microsoft Word\n"_s);
    const CliRun nothing = zentropectl(u"sideload remove"_s);
    EXPECT_EQ(nothing.exitCode, 0);
    EXPECT_EQ(nothing.out, u"Nothing to remove.\n"_s);
}

TEST_F(SideloadCommandTest, BadArgumentsAreUsageErrors)
{
    for (const QString& words : {u"sideload install --host Word"_s, u"sideload reinstall"_s,
                                 u"sideload status --manifest m.xml"_s, u"sideload remove --json"_s,
                                 u"sideload install --manifest "_s, u"flush-caches now"_s}) {
        const CliRun run = zentropectl(words);
        EXPECT_EQ(run.exitCode, 2) << words.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"zentropectl: "));
    }
    EXPECT_FALSE(QFileInfo::exists(word.wefDirectory()));
}

TEST_F(SideloadCommandTest, FlushCachesNamesTheInstalledHosts)
{
    const QString cache = writeFileAt(word.containerDataLibrary() + u"/Caches/entry"_s, "x");
    EXPECT_EQ(zentropectl(u"flush-caches"_s).out, u"Microsoft Word\nMicrosoft Excel\n"_s);
    EXPECT_FALSE(QFileInfo::exists(cache));

    QDir(home.path() + u"/Library"_s).removeRecursively();
    EXPECT_EQ(zentropectl(u"flush-caches"_s).out, u"No Office hosts installed.\n"_s);
}

// The only test that runs applications with Office identifiers: the real
// quit request reaches every process of the user, so others must not.
TEST_F(SideloadCommandTest, RunningHostsAreSeenAndOnlyExactIdentifiersAreAskedToQuit)
{
    writeFileAt(installed(word), "m");
    FakeApplication wordApp(bundle.root(), u"Microsoft Word"_s, word.bundleId());
    FakeApplication lookalike(bundle.root(), u"Lookalike"_s, u"com.microsoft.word"_s);
    ASSERT_TRUE(wordApp.start() && lookalike.start());
    EXPECT_TRUE(zentropectl(u"sideload"_s)
                    .out.startsWith(u"Microsoft Word: Sideloaded — restart to load\n"));

    const CliRun quit = zentropectl(u"quit-hosts"_s);
    EXPECT_EQ(quit.exitCode, 0);
    EXPECT_EQ(quit.out, u"Asked Microsoft Word to quit.\n"_s);
    EXPECT_EQ(wordApp.waitForEndingSignal(), SIGTERM);
    // Had it been asked too, that earlier SIGTERM would be what ended it.
    lookalike.kill();
    EXPECT_EQ(lookalike.waitForEndingSignal(), SIGKILL);
    EXPECT_EQ(zentropectl(u"quit-hosts"_s).out, u"No Office hosts running.\n"_s);
}

} // namespace
