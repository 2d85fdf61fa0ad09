#include "core/Sideloader.h"

#include "platform/fake/FakeWorkspace.h"
#include "support/EnforcedFilePermissions.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace Sideloader {
void PrintTo(const Outcome& outcome, std::ostream* os)
{
    *os << "Outcome(" << int(outcome.kind()) << ", " << outcome.file().toStdString()
        << outcome.reason().toStdString() << outcome.error().description.toStdString() << ')';
}
} // namespace Sideloader

namespace {

using Sideloader::Outcome;

class SideloaderTest : public ::testing::Test
{
protected:
    static QString currentName(OfficeHost host)
    {
        return host.wefDirectory() + QStringLiteral("/zentrope.manifest.xml");
    }
    static QString olderName(OfficeHost host)
    {
        return host.wefDirectory() + QStringLiteral("/zentrope.xml");
    }
    static void installContainer(OfficeHost host)
    {
        ASSERT_TRUE(QDir().mkpath(host.containerDirectory()));
    }

    TemporaryHome home;
    QTemporaryDir sources;
    const QString manifest = writeFileAt(sources.filePath(QStringLiteral("manifest.xml")), "v1");
    const OfficeHost word = OfficeHost::word;
};

TEST_F(SideloaderTest, InstallCreatesTheWefChainAndReplacesTheManifestNextTime)
{
    installContainer(word);
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(currentName(word)));
    EXPECT_EQ(readFileAt(currentName(word)), "v1");
    EXPECT_TRUE(QFileInfo::exists(manifest)) << "the source stays where it is";

    writeFileAt(manifest, "v2");
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(currentName(word)));
    EXPECT_EQ(readFileAt(currentName(word)), "v2");
}

TEST_F(SideloaderTest, TheOlderNameCountsIsKeptByInstallAndTakenByRemove)
{
    installContainer(word);
    writeFileAt(olderName(word), "old");
    EXPECT_TRUE(Sideloader::isSideloaded(word));
    ASSERT_EQ(Sideloader::install(manifest, word).kind(), Outcome::Kind::copied);
    EXPECT_TRUE(QFileInfo::exists(olderName(word)));

    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(currentName(word)));
    EXPECT_FALSE(Sideloader::isSideloaded(word));

    writeFileAt(olderName(word), "old");
    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(currentName(word)))
        << "the current name is reported even when only the older file went";
    EXPECT_FALSE(QFileInfo::exists(olderName(word)));
}

TEST_F(SideloaderTest, NothingIsCreatedWhereThereIsNoContainerOrNoManifest)
{
    EXPECT_EQ(Sideloader::install(manifest, OfficeHost::excel),
              Outcome::skipped(QStringLiteral("Microsoft Excel not installed")));
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Library/Containers")));

    installContainer(word);
    for (const OfficeHost host : OfficeHost::allCases())
        EXPECT_EQ(Sideloader::remove(host), Outcome::skipped(QStringLiteral("not sideloaded")));
    EXPECT_FALSE(QFileInfo::exists(word.wefDirectory()));
    EXPECT_FALSE(Sideloader::isSideloaded(word));
}

TEST_F(SideloaderTest, AFolderNamedLikeTheManifestIsDeletedLikeAFile)
{
    installContainer(word);
    writeFileAt(currentName(word) + QStringLiteral("/inside"), "x");
    EXPECT_TRUE(Sideloader::isSideloaded(word));
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(currentName(word)));
    EXPECT_EQ(readFileAt(currentName(word)), "v1");

    QFile::remove(currentName(word));
    writeFileAt(currentName(word) + QStringLiteral("/inside"), "x");
    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(currentName(word)));
    EXPECT_FALSE(QFileInfo::exists(currentName(word)));
}

TEST_F(SideloaderTest, AFailedDeletionIsReportedAndStopsTheStep)
{
    installContainer(word);
    writeFileAt(currentName(word), "installed");
    writeFileAt(olderName(word), "old");
    QFile::setPermissions(word.wefDirectory(), QFile::ReadOwner | QFile::ExeOwner);
    Outcome installed = Outcome::skipped({});
    Outcome removed = Outcome::skipped({});
    {
        EnforcedFilePermissions enforced;
        installed = Sideloader::install(manifest, word);
        removed = Sideloader::remove(word);
    }
    QFile::setPermissions(word.wefDirectory(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    for (const Outcome& outcome : {installed, removed}) {
        ASSERT_EQ(outcome.kind(), Outcome::Kind::failed);
        EXPECT_EQ(outcome.error().domain, QStringLiteral("POSIX"));
        EXPECT_EQ(outcome.error().code, EACCES);
        EXPECT_EQ(outcome.error().localizedDescription(),
                  QStringLiteral("Couldn’t remove “%1”: Permission denied").arg(currentName(word)));
    }
    EXPECT_EQ(readFileAt(currentName(word)), "installed") << "the copy is not attempted";
    EXPECT_TRUE(QFileInfo::exists(olderName(word))) << "remove stops at the first failure";
}

TEST_F(SideloaderTest, ARefusedSourceLeavesTheInstalledManifestAlone)
{
    installContainer(word);
    ASSERT_EQ(Sideloader::install(manifest, word).kind(), Outcome::Kind::copied);
    const QString unreadable = writeFileAt(sources.filePath(QStringLiteral("secret.xml")), "x");
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    const QString link = sources.filePath(QStringLiteral("link.xml"));
    QFile::link(currentName(word), link);

    using Code = Sideloader::ErrorCode;
    const QList<std::pair<QString, Code>> cases = {
        {sources.filePath(QStringLiteral("missing.xml")), Code::manifestMissing},
        {sources.path(), Code::manifestNotAFile},
        {QStringLiteral("/dev/null"), Code::manifestNotAFile},
        {unreadable, Code::manifestUnreadable},
        {currentName(word), Code::manifestIsDestination},
        {link, Code::manifestIsDestination},
    };
    EnforcedFilePermissions enforced;
    for (const auto& [source, code] : cases) {
        const Outcome outcome = Sideloader::install(source, word);
        ASSERT_EQ(outcome.kind(), Outcome::Kind::failed) << source.toStdString();
        EXPECT_EQ(outcome.error().domain, QStringLiteral("Sideloader"));
        EXPECT_EQ(outcome.error().code, int(code)) << source.toStdString();
        EXPECT_TRUE(outcome.error().description.contains(source));
        EXPECT_EQ(readFileAt(currentName(word)), "v1");
    }
    EXPECT_EQ(Sideloader::install(sources.path(), word).error().description,
              QStringLiteral("The manifest “%1” is a folder, not a file.").arg(sources.path()));
}

TEST_F(SideloaderTest, TheBundledManifestIsLookedUpAfresh)
{
    TestBundle bundle;
    EXPECT_FALSE(Sideloader::bundledProdManifest(bundle.bundle()));
    const QString path = bundle.writeFile(QStringLiteral("Resources/setup/manifest.xml"), "m");
    EXPECT_EQ(Sideloader::bundledProdManifest(bundle.bundle()), path);
}

TEST(Sideloader, TheQuitRequestReachesOnlyExactIdentifiers)
{
    platform::FakeWorkspace workspace;
    EXPECT_TRUE(Sideloader::quitRunningHosts(workspace).isEmpty());
    workspace.setApplications({{1, std::nullopt, {}},
                               {2, QStringLiteral("com.microsoft.Powerpoint"), {}},
                               {3, QStringLiteral("com.microsoft.word"), {}},
                               {4, QStringLiteral("com.microsoft.Word"), {}},
                               {5, QStringLiteral("com.microsoft.Word"), {}}});
    EXPECT_EQ(Sideloader::quitRunningHosts(workspace),
              (QList<OfficeHost>{OfficeHost::word, OfficeHost::powerpoint}));
    EXPECT_EQ(workspace.terminated(), (QList<qint64>{2, 4, 5}));
}

} // namespace
