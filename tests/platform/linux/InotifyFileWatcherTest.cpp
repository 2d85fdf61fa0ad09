// The watch alone; that the tailer follows a log across its deletion and
// renaming through it is proven with the tailer.
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

} // namespace

TEST(InotifyFileWatcher, AppendsMergeIntoOneBatchAndAChangeOfModeIsNoDeletion)
{
    QTemporaryDir dir;
    const QString path = writeFileAt(dir.filePath(u"daemon.log"_s), "old\n");
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(descriptor, 0);
    auto watch = platform::InotifyFileWatcher().watch(descriptor).value();
    EXPECT_EQ(watch->takeChanges(), FileWatch::Changes());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    for (const char* line : {"a\n", "b\n"}) {
        file.write(line);
        file.flush();
    }
    EXPECT_EQ(nextChanges(*watch), Change::written);
    EXPECT_EQ(watch->takeChanges(), FileWatch::Changes());
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.write("c\n");
    file.flush();
    EXPECT_EQ(nextChanges(*watch), Change::written);

    ASSERT_TRUE(QFile::rename(path, path + u".1"_s));
    EXPECT_EQ(nextChanges(*watch), Change::renamed);
    // Deleted while we hold it open: its inode lives on, and only a count of links says so.
    ASSERT_TRUE(QFile::remove(path + u".1"_s));
    EXPECT_TRUE(nextChanges(*watch).testFlag(Change::deleted));
    watch.reset();
    ::close(descriptor);
}
