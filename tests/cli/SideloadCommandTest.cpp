// `zentropectl sideload`, `flush-caches` and `quit-hosts`: their lines and exit codes.
#include "core/office/OfficeHost.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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
    static QString installed(OfficeHost host)
    {
        return host.wefDirectory() + u"/zentrope.manifest.xml"_s;
    }
    void wordRuns(qint64 pid = 4242)
    {
        cli.fakes.workspace->setApplications(
            {{pid, word.bundleId(), u"/Applications/Microsoft Word.app/Contents/MacOS/Word"_s},
             {pid + 1, u"com.microsoft.word"_s,
              u"/Applications/Lookalike.app/Contents/MacOS/L"_s}});
    }

    TemporaryHome home;
    InProcessCli cli;
};

} // namespace

TEST_F(SideloadCommandTest, StatusHasOneLinePerHostAndAJsonFormInHostOrder)
{
    writeFileAt(installed(word), "m");
    wordRuns();
    EXPECT_EQ(cli.run(u"sideload"_s).out,
              u"Microsoft Word: Sideloaded — restart to load\n"
              u"Microsoft Excel: Not sideloaded\n"
              u"Microsoft PowerPoint: App not installed on this Mac\n"_s);

    const CliRun json = cli.run(u"sideload status --json"_s);
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_LT(json.out.indexOf(u"\"word\""), json.out.indexOf(u"\"excel\""));
    EXPECT_LT(json.out.indexOf(u"\"excel\""), json.out.indexOf(u"\"powerpoint\""));
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object().value(u"word"_s).toObject(),
              QJsonObject({{u"installed"_s, true},
                           {u"sideloaded"_s, true},
                           {u"running"_s, true},
                           {u"wefDirectory"_s, word.wefDirectory()}}));
}

TEST_F(SideloadCommandTest, InstallTakesTheBundledManifestOrAsksForOneAndFailsOnStandardError)
{
    EXPECT_EQ(outcome(cli.run(u"sideload install"_s)), u"1||Pick a manifest first.\n"_s);
    cli.bundle.writeFile(u"Resources/setup/manifest.xml"_s, "production");
    EXPECT_EQ(outcome(cli.run(u"sideload install"_s)),
              u"0|Installed into: Microsoft Word, Microsoft Excel\n|"_s);
    EXPECT_EQ(readFileAt(installed(excel)), "production");
    EXPECT_EQ(cli.run(u"sideload install --host word"_s).out,
              u"Installed at %1\n"_s.arg(installed(word)));

    const CliRun failed = cli.run({u"sideload"_s, u"install"_s, u"--manifest"_s, home.path()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, QString());
    EXPECT_TRUE(failed.err.startsWith(u"Failed to install into Microsoft Word: "_s))
        << failed.err.toStdString();
}

TEST_F(SideloadCommandTest, RemoveSpeaksTheTabsWords)
{
    writeFileAt(installed(word), "m");
    writeFileAt(installed(excel), "m");
    EXPECT_EQ(cli.run(u"sideload remove --host excel"_s).out,
              u"Removed %1\n"_s.arg(installed(excel)));
    EXPECT_EQ(cli.run(u"sideload remove --host excel"_s).out,
              u"Skipped remove from Microsoft Excel: not sideloaded\n"_s);
    EXPECT_EQ(outcome(cli.run(u"sideload remove"_s)), u"0|Removed from: Microsoft Word\n|"_s);
}

TEST_F(SideloadCommandTest, FlushCachesNamesTheInstalledHosts)
{
    const QString cache = writeFileAt(word.containerDataLibrary() + u"/Caches/entry"_s, "x");
    EXPECT_EQ(cli.run(u"flush-caches"_s).out, u"Microsoft Word\nMicrosoft Excel\n"_s);
    EXPECT_FALSE(QFileInfo::exists(cache));
    QDir(home.path() + u"/Library"_s).removeRecursively();
    EXPECT_EQ(cli.run(u"flush-caches"_s).out, u"No Office hosts installed.\n"_s);
}

TEST_F(SideloadCommandTest, QuitHostsAsksOnlyExactIdentifiers)
{
    EXPECT_EQ(cli.run(u"quit-hosts"_s).out, u"No Office hosts running.\n"_s);
    wordRuns(4242);
    EXPECT_EQ(outcome(cli.run(u"quit-hosts"_s)), u"0|Asked Microsoft Word to quit.\n|"_s);
    EXPECT_EQ(cli.fakes.workspace->terminated(), QList<qint64>{4242});
}
