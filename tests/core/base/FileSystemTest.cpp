#include "core/base/FileSystem.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat status
    {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace

TEST(FileSystem, AnItemExistsThroughALinkButADanglingLinkIsOnlyAnEntry)
{
    QTemporaryDir folder;
    const QString file = writeFileAt(folder.filePath(u"file"_s), "x");
    const QString toFile = folder.filePath(u"to-file"_s);
    const QString dangling = folder.filePath(u"dangling"_s);
    ASSERT_TRUE(QFile::link(file, toFile));
    ASSERT_TRUE(QFile::link(folder.filePath(u"gone"_s), dangling));
    const struct
    {
        QString path;
        bool item;
        bool entry;
    } cases[] = {
        {file, true, true},
        {toFile, true, true},
        {folder.path(), true, true},
        {dangling, false, true},
        {folder.filePath(u"none"_s), false, false},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(FileSystem::itemExists(each.path), each.item) << each.path.toStdString();
        EXPECT_EQ(FileSystem::entryExists(each.path), each.entry) << each.path.toStdString();
    }
}

TEST(FileSystem, APrivateFolderIsTheOwnersAloneAndAnotherUsersIsRefused)
{
    QTemporaryDir parent;
    const QString path = parent.filePath(u"mine"_s);
    ASSERT_TRUE(FileSystem::createPrivateDirectory(path).ok());
    EXPECT_EQ(modeOf(path), 0700u);
    ASSERT_TRUE(QFile::setPermissions(path, QFileInfo(path).permissions() | QFile::WriteOther));
    ASSERT_TRUE(FileSystem::createPrivateDirectory(path).ok());
    EXPECT_EQ(modeOf(path), 0700u) << "found wider, narrowed";

    if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "handing a folder to another user needs root";
    const auto foreign = FileSystem::createPrivateDirectory(path);
    ASSERT_FALSE(foreign.ok());
    EXPECT_EQ(
        foreign.error().description,
        u"Couldn’t use the folder “%1”, which belongs to another user: Operation not permitted"_s
            .arg(path));
}
