#include "core/logs/LogTailer.h"

#include "platform/fake/FakeFileWatcher.h"
#include "platform/linux/InotifyFileWatcher.h"
#include "support/OpenFiles.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Change = platform::FileWatch::Change;

namespace {

void append(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
}

int tailerThreads()
{
    int count = 0;
    for (const QString& task :
         QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        count += readFileAt(u"/proc/self/task/%1/comm"_s.arg(task)) == "zentrope.log-ta\n";
    return count;
}

class LogTailerTest : public ::testing::Test
{
protected:
    std::unique_ptr<LogTailer> makeTailer(std::shared_ptr<platform::FileWatcher> watcher)
    {
        auto tailer = std::make_unique<LogTailer>(path, std::move(watcher));
        tailer->setOnAppend([this](const QString& text) { chunks.append(text); });
        return tailer;
    }
    bool waitForText(const QString& text)
    {
        return waitUntil([&] { return chunks.join(QString()) == text; });
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"daemon.log"_s);
    std::shared_ptr<platform::FakeFileWatcher> fake = std::make_shared<platform::FakeFileWatcher>();
    std::shared_ptr<platform::FileWatcher> inotify =
        std::make_shared<platform::InotifyFileWatcher>();
    QStringList chunks;
};

} // namespace

// A missing folder is reported through LogsModel (LogsModelTest).
TEST_F(LogTailerTest, ALinkLeavesTheTailerStoppedWithTheReason)
{
    path = dir.filePath(u"link.log"_s);
    ASSERT_TRUE(QFile::link(writeFileAt(dir.filePath(u"elsewhere"_s), ""), path));
    auto tailer = makeTailer(inotify);
    EXPECT_EQ(tailer->start().error().description, u"Is a symbolic link, which is not followed"_s);
    EXPECT_FALSE(tailer->isStarted());
}

// On the fake watcher, the tailer reads only when the test posts a change.
TEST_F(LogTailerTest, TextWrittenJustBeforeARenameArrivesBeforeTheNewFileIsFollowed)
{
    writeFileAt(path, "before start\n");
    auto tailer = makeTailer(fake);
    ASSERT_TRUE(tailer->start().ok());
    append(path, "last words\n");
    ASSERT_TRUE(QFile::rename(path, path + u".1"_s));
    fake->post(Change::written | Change::renamed); // one batch
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(path); }));
    append(path, "new file\n");
    fake->post(Change::written);
    EXPECT_TRUE(waitForText(u"last words\nnew file\n"_s)) << "and only what came after start";
}

TEST_F(LogTailerTest, DeletedAndRenamedFilesAreReplacedByTheFileAtThePath)
{
    auto tailer = makeTailer(inotify);
    ASSERT_TRUE(tailer->start().ok());
    append(path, "a\n");
    ASSERT_TRUE(waitForText(u"a\n"_s));

    ASSERT_TRUE(QFile::remove(path));
    // The tailer recreates the file; anything appended from then on is new.
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(path); }));
    append(path, "b\n");
    ASSERT_TRUE(waitForText(u"a\nb\n"_s));

    ASSERT_TRUE(QFile::rename(path, path + u".1"_s));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(path); }));
    append(path, "c\n");
    append(path + u".1"_s, "to the old file\n");
    EXPECT_TRUE(waitForText(u"a\nb\nc\n"_s));
    EXPECT_EQ(OpenFiles::openOn(path), 1);
}

TEST_F(LogTailerTest, AfterATruncationTheNewTextArrivesFromItsStart)
{
    auto tailer = makeTailer(inotify);
    ASSERT_TRUE(tailer->start().ok());
    append(path, "12345\n");
    ASSERT_TRUE(waitForText(u"12345\n"_s));
    ASSERT_TRUE(QFile::resize(path, 0));
    // Noticed by the size: a file that regrows past the old end before it is
    // read again hides its truncation, as from `tail -F`.
    ASSERT_TRUE(waitUntil([&] { return OpenFiles::positionIn(path) == 0; }));
    append(path, "ab\n");
    append(path, "cdefgh\n");
    EXPECT_TRUE(waitForText(u"12345\nab\ncdefgh\n"_s));
}

TEST_F(LogTailerTest, ACancelledTailerDeliversNothingItHadRead)
{
    auto tailer = makeTailer(inotify);
    ASSERT_TRUE(tailer->start().ok());
    append(path, "stale\n");
    // Read on the tailer's thread, but not yet handed over: no events processed.
    ASSERT_TRUE(OpenFiles::waitForPosition(path, sizeOf(path)));
    tailer->cancel();
    ASSERT_TRUE(tailer->start().ok());
    append(path, "fresh\n");
    EXPECT_TRUE(waitForText(u"fresh\n"_s));
}

TEST_F(LogTailerTest, StartingTwiceHoldsOneWatchAndOneDescriptorAndTheEndReleasesEverything)
{
    const int before = OpenFiles::count();
    const int inotifyBefore = OpenFiles::inotifyInstances();
    {
        auto tailer = makeTailer(inotify);
        tailer->cancel(); // never started: nothing to do
        ASSERT_TRUE(tailer->start().ok());
        ASSERT_TRUE(tailer->start().ok());
        ASSERT_TRUE(QFile::remove(path)); // a restart too
        ASSERT_TRUE(waitUntil([&] { return QFile::exists(path); }));
        append(path, "x\n");
        ASSERT_TRUE(waitForText(u"x\n"_s));
        EXPECT_TRUE(waitUntil([&] {
            return OpenFiles::openOn(path) == 1 &&
                   OpenFiles::inotifyInstances() == inotifyBefore + 1;
        }));
        EXPECT_EQ(tailerThreads(), 1);
        tailer->cancel();
        EXPECT_TRUE(waitUntil([&] { return OpenFiles::openOn(path) == 0; }));
        ASSERT_TRUE(tailer->start().ok());
    }
    EXPECT_EQ(OpenFiles::count(), before);
    // Qt's threads are detached: the system thread ends just after wait() returns.
    EXPECT_TRUE(waitUntil([] { return tailerThreads() == 0; }));
}

// The daemon's log folder can go while the window follows it (the log
// writer makes the file again, not the folder): the tailer looks again.
TEST_F(LogTailerTest, AFolderDeletedAndMadeAgainIsFollowedOnceItIsBack)
{
    const QString folder = dir.filePath(u"Zentrope"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    path = folder + u"/daemon.log"_s;
    auto tailer = makeTailer(inotify);
    ASSERT_TRUE(tailer->start().ok());
    append(path, "before\n");
    ASSERT_TRUE(waitForText(u"before\n"_s));

    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(waitUntil([&] { return OpenFiles::openOn(path) == 0; }));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(path); })); // the tailer looked again
    append(path, "after\n");
    EXPECT_TRUE(waitForText(u"before\nafter\n"_s));
}
