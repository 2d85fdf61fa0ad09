#include "platform/linux/InotifyFileWatcher.h"

#include "support/TestBundle.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using platform::FileWatch;
using Change = FileWatch::Change;

namespace {

// Waits for the watch to become readable, as the tailer's notifier would.
FileWatch::Changes nextChanges(FileWatch& watch)
{
    pollfd waiting{watch.descriptor(), POLLIN, 0};
    return ::poll(&waiting, 1, 10'000) == 1 ? watch.takeChanges() : FileWatch::Changes();
}

class InotifyFileWatcherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = writeFileAt(dir.filePath(u"daemon.log"_s), "old\n");
        descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(descriptor, 0);
        auto watched = platform::InotifyFileWatcher().watch(descriptor);
        ASSERT_TRUE(watched.ok());
        watch = std::move(watched).value();
    }
    void TearDown() override
    {
        watch.reset();
        ::close(descriptor);
    }

    QTemporaryDir dir;
    QString path;
    int descriptor = -1;
    std::unique_ptr<FileWatch> watch;
};

} // namespace

TEST_F(InotifyFileWatcherTest, AppendsMergeIntoOneBatchUntilTaken)
{
    EXPECT_EQ(watch->takeChanges(), FileWatch::Changes());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("a\n");
    file.flush();
    file.write("b\n");
    file.flush();
    EXPECT_EQ(nextChanges(*watch), Change::written);
    EXPECT_EQ(watch->takeChanges(), FileWatch::Changes());
    // A change of mode is an attribute change too, but not a deletion.
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.write("c\n");
    file.flush();
    EXPECT_EQ(nextChanges(*watch), Change::written);
}

TEST_F(InotifyFileWatcherTest, DeletingTheOpenFileIsReportedAlthoughItsInodeLivesOn)
{
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(nextChanges(*watch).testFlag(Change::deleted));
}

TEST_F(InotifyFileWatcherTest, RenamingAndReplacingAreReported)
{
    ASSERT_TRUE(QFile::rename(path, path + u".1"_s));
    EXPECT_EQ(nextChanges(*watch), Change::renamed);
    // Another file moved over the watched one's new name unlinks it.
    const QString other = writeFileAt(dir.filePath(u"other"_s), "x");
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(),
                       QFile::encodeName(path + u".1"_s).constData()),
              0);
    EXPECT_TRUE(nextChanges(*watch).testFlag(Change::deleted));
}
