#include "core/FileSystem.h"

#include "support/Printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

class PrivateDirectoryTest : public ::testing::Test
{
protected:
    QTemporaryDir parent;
    const QString path = parent.filePath(u"mine"_s);
};

} // namespace

TEST_F(PrivateDirectoryTest, IsCreatedForTheOwnerAloneAndNarrowedWhenFoundWider)
{
    ASSERT_TRUE(FileSystem::createPrivateDirectory(path).ok());
    EXPECT_EQ(QFileInfo(path).permissions(), ownerOnly);
    ASSERT_TRUE(QFile::setPermissions(path, ownerOnly | QFile::ReadOther | QFile::WriteOther |
                                                QFile::ExeOther));
    ASSERT_TRUE(FileSystem::createPrivateDirectory(path).ok());
    EXPECT_EQ(QFileInfo(path).permissions(), ownerOnly);
}

TEST_F(PrivateDirectoryTest, ALinkOrAFileInItsPlaceIsRefusedAndLeftAlone)
{
    QTemporaryDir target;
    ASSERT_TRUE(QFile::setPermissions(target.path(), ownerOnly | QFile::ReadOther));
    ASSERT_TRUE(QFile::link(target.path(), path));
    const auto linked = FileSystem::createPrivateDirectory(path);
    ASSERT_FALSE(linked.ok());
    EXPECT_TRUE(linked.error().description.startsWith(u"Couldn’t use the folder “"_s + path));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(QFileInfo(target.path()).permissions() & QFile::ReadOther) << "target untouched";

    const QString file = parent.filePath(u"file"_s);
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(FileSystem::createPrivateDirectory(file).ok());
}

TEST_F(PrivateDirectoryTest, AFolderOfAnotherUserIsRefused)
{
    ASSERT_TRUE(QDir().mkdir(path));
    if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "handing a folder to another user needs root";
    const auto result = FileSystem::createPrivateDirectory(path);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().description.contains(u"belongs to another user"_s));
}
