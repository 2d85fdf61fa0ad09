#include "core/office/Sideloader.h"

#include "support/EnforcedFilePermissions.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Sideloader::Outcome;

namespace Sideloader {
void PrintTo(const Outcome& outcome, std::ostream* os)
{
    *os << "Outcome " << int(outcome.kind()) << " “"
        << (outcome.file() + outcome.reason() + outcome.error().description).toStdString() << "”";
}
} // namespace Sideloader

namespace {

class SideloaderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(word.containerDirectory())); }

    TemporaryHome home;
    QTemporaryDir sources;
    const QString manifest = writeFileAt(sources.filePath(u"manifest.xml"_s), "v1");
    const OfficeHost word = OfficeHost::word;
    const QString current = word.wefDirectory() + u"/zentrope.manifest.xml"_s;
    const QString older = word.wefDirectory() + u"/zentrope.xml"_s;
};

TEST_F(SideloaderTest, InstallReplacesTheManifestAndKeepsTheOlderNameWhichRemoveTakes)
{
    writeFileAt(older, "old");
    EXPECT_TRUE(Sideloader::isSideloaded(word));
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(current));
    writeFileAt(manifest, "v2");
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(current));
    EXPECT_EQ(readFileAt(current), "v2");
    EXPECT_TRUE(QFileInfo::exists(manifest)) << "the source stays where it is";
    EXPECT_TRUE(QFileInfo::exists(older));
    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(current));
    EXPECT_FALSE(Sideloader::isSideloaded(word));

    writeFileAt(older, "old");
    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(current)) << "only the older file went";
    EXPECT_FALSE(QFileInfo::exists(older));
}

TEST_F(SideloaderTest, ADanglingLinkIsNoManifestYetRemoveAndInstallReplaceIt)
{
    ASSERT_TRUE(QDir().mkpath(word.wefDirectory()));
    ASSERT_TRUE(QFile::link(sources.filePath(u"gone.xml"_s), current));
    EXPECT_FALSE(Sideloader::isSideloaded(word));
    EXPECT_EQ(Sideloader::remove(word), Outcome::removed(current));
    EXPECT_FALSE(QFileInfo(current).isSymLink());

    ASSERT_TRUE(QFile::link(sources.filePath(u"gone.xml"_s), current));
    EXPECT_EQ(Sideloader::install(manifest, word), Outcome::copied(current));
    EXPECT_FALSE(QFileInfo(current).isSymLink() ||
                 QFileInfo::exists(sources.filePath(u"gone.xml"_s)))
        << "replaced, never written through";
    EXPECT_EQ(readFileAt(current), "v1");
}

TEST_F(SideloaderTest, NothingIsCreatedWhereThereIsNoContainerOrNoManifest)
{
    EXPECT_EQ(Sideloader::install(manifest, OfficeHost::excel),
              Outcome::skipped(u"Microsoft Excel not installed"_s));
    EXPECT_EQ(QDir(home.path() + u"/Library/Containers"_s)
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{word.bundleId()});
    for (const OfficeHost host : OfficeHost::allCases())
        EXPECT_EQ(Sideloader::remove(host), Outcome::skipped(u"not sideloaded"_s));
    EXPECT_FALSE(QFileInfo::exists(word.wefDirectory()));
}

TEST_F(SideloaderTest, AFolderThatRefusesWritesOrIsFullKeepsWhatIsInstalled)
{
    writeFileAt(current, "installed");
    writeFileAt(older, "old");
    const auto writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(word.wefDirectory(), writable & ~QFile::WriteOwner);
    std::optional<Outcome> install, remove;
    {
        EnforcedFilePermissions enforced;
        install = Sideloader::install(manifest, word);
        remove = Sideloader::remove(word);
    }
    QFile::setPermissions(word.wefDirectory(), writable);
    EXPECT_EQ(*install, Outcome::failed({u"POSIX"_s, EACCES,
                                         u"Couldn’t copy “%1” to “%2”: Permission denied"_s.arg(
                                             manifest, current)}));
    EXPECT_EQ(*remove,
              Outcome::failed(
                  {u"POSIX"_s, EACCES, u"Couldn’t remove “%1”: Permission denied"_s.arg(current)}));
    EXPECT_TRUE(QFileInfo::exists(older)) << "remove stops at the first failure";

    // No room for an 8 KiB manifest: the installed one stays, whole.
    const QString large = writeFileAt(sources.filePath(u"large.xml"_s), QByteArray(8192, 'm'));
    {
        FileSizeLimit full(4096, FileSizeLimit::Overrun::failsTheWrite);
        install = Sideloader::install(large, word);
    }
    ASSERT_EQ(install->kind(), Outcome::Kind::failed);
    EXPECT_EQ(install->error().code, EFBIG);
    EXPECT_EQ(readFileAt(current), "installed");
    EXPECT_EQ(QDir(word.wefDirectory()).entryList(QDir::Files).size(), 2) << "no copy left";
}

TEST_F(SideloaderTest, ARefusedSourceLeavesTheInstalledManifestAlone)
{
    ASSERT_EQ(Sideloader::install(manifest, word).kind(), Outcome::Kind::copied);
    const QString unreadable = writeFileAt(sources.filePath(u"secret.xml"_s), "x");
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    const QString link = sources.filePath(u"link.xml"_s);
    QFile::link(current, link);
    // 10 MB and a byte: no add-in manifest is that large (sparse, so it costs no disk).
    const QString huge = writeFileAt(sources.filePath(u"huge.xml"_s), "");
    ASSERT_TRUE(QFile::resize(huge, 10 * 1024 * 1024 + 1));

    using Code = Sideloader::ErrorCode;
    const QList<std::pair<QString, Code>> cases = {
        {sources.filePath(u"missing.xml"_s), Code::manifestMissing},
        {sources.path(), Code::manifestNotAFile},
        {u"/dev/null"_s, Code::manifestNotAFile},
        {unreadable, Code::manifestUnreadable},
        {current, Code::manifestIsDestination},
        {link, Code::manifestIsDestination},
        {huge, Code::manifestTooLarge},
    };
    EnforcedFilePermissions enforced;
    for (const auto& [source, code] : cases) {
        const Error error = Sideloader::install(source, word).error();
        EXPECT_EQ(std::pair(error.domain, error.code), std::pair(u"Sideloader"_s, int(code)))
            << source.toStdString();
        EXPECT_TRUE(error.description.contains(source));
        EXPECT_EQ(readFileAt(current), "v1");
    }
    EXPECT_EQ(Sideloader::install(sources.path(), word).error().description,
              u"The manifest “%1” is a folder, not a file."_s.arg(sources.path()));
    EXPECT_EQ(Sideloader::install(huge, word).error().description,
              u"The manifest “%1” is larger than 10 MB; an add-in manifest is a few kilobytes. "
              u"Pick the manifest file."_s.arg(huge));
    ASSERT_TRUE(QFile::resize(huge, 10 * 1024 * 1024));
    EXPECT_EQ(Sideloader::install(huge, word).kind(), Outcome::Kind::copied) << "10 MB is fine";
}

} // namespace
