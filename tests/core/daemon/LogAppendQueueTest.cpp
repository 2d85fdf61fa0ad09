#include "core/daemon/LogAppendQueue.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

TEST(LogAppendQueue, AppendsInOrderAndMakesMissingFilesButNoFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("daemon.log"));
    LogAppendQueue queue;
    queue.append(path, "one ");
    queue.append(path, "two\n");
    queue.drain();
    EXPECT_EQ(readFileAt(path), QByteArray("one two\n"));
    EXPECT_TRUE(LogAppendQueue::ensureFile(path));
    EXPECT_EQ(readFileAt(path), QByteArray("one two\n")) << "an existing file is untouched";

    QFile::remove(path);
    queue.append(path, "three\n");
    queue.append(dir.filePath(QStringLiteral("gone/daemon.log")), "lost\n");
    queue.drain();
    EXPECT_EQ(readFileAt(path), QByteArray("three\n"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone"))));
    const QString fresh = dir.filePath(QStringLiteral("daemon.err"));
    EXPECT_TRUE(LogAppendQueue::ensureFile(fresh));
    // The user's to read and write, nobody else's to write, not a program.
    for (const QString& made : {path, fresh}) {
        struct stat status = {};
        ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &status), 0);
        EXPECT_TRUE(S_ISREG(status.st_mode));
        EXPECT_EQ(status.st_mode & 07777, 0644 & ~currentUmask());
    }
    EXPECT_EQ(QFileInfo(fresh).size(), 0);
}

TEST(LogAppendQueue, ALinkIsNeitherFollowedNorCreatedAndItsRefusalIsToldOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("daemon.log"));
    const QString target = dir.filePath(QStringLiteral("target"));
    ASSERT_TRUE(QFile::link(target, path));
    QStringList told;
    LogAppendQueue queue(LogAppendQueue::defaultBound, LogAppendQueue::appendNow,
                         [&](const QString& failed, const Error& error) {
                             told.append(failed + QStringLiteral(": ") + error.description);
                         });
    EXPECT_FALSE(LogAppendQueue::ensureFile(path));
    queue.append(path, "one\n");
    queue.drain();
    queue.append(path, "two\n");
    queue.drain();
    EXPECT_FALSE(QFile::exists(target));
    const QString refused = path + QStringLiteral(": Is a symbolic link, which is not followed");
    EXPECT_EQ(told, QStringList{refused});

    // Told again only after the file could be written in between.
    ASSERT_TRUE(QFile::remove(path));
    queue.append(path, "three\n");
    queue.drain();
    EXPECT_EQ(readFileAt(path), "three\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(target, path));
    queue.append(path, "four\n");
    queue.drain();
    EXPECT_EQ(told, (QStringList{refused, refused}));
    EXPECT_FALSE(QFile::exists(target));
}

TEST(LogAppendQueue, ASlowWriterHoldsTheProducerBackWithoutLosingBytes)
{
    constexpr std::size_t bound = 64 * 1024;
    constexpr int chunkSize = 4096;
    constexpr int chunks = 400;
    std::atomic<std::size_t> worstQueued{0};
    QByteArray written;
    LogAppendQueue* queuePointer = nullptr;
    LogAppendQueue queue(bound, [&](const QString&, const std::vector<QByteArray>& batch) {
        const std::size_t queued = queuePointer->queuedBytes();
        if (queued > worstQueued)
            worstQueued = queued;
        std::this_thread::sleep_for(std::chrono::microseconds(200)); // a slow disk
        for (const QByteArray& chunk : batch)
            written += chunk;
        return Done{};
    });
    queuePointer = &queue;

    QByteArray expected;
    for (int i = 0; i < chunks; ++i) {
        const QByteArray chunk(chunkSize, char('a' + i % 26));
        expected += chunk;
        queue.append(QStringLiteral("unused"), chunk);
        EXPECT_LE(queue.queuedBytes(), bound);
    }
    queue.drain();
    EXPECT_LE(worstQueued.load(), bound);
    EXPECT_EQ(written, expected);
}

// The bound is inclusive, and a chunk larger than it still goes into an empty queue.
TEST(LogAppendQueue, ChunksGoInUpToTheBoundAndALargerOneIntoAnEmptyQueue)
{
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::promise<void> writing;
    bool first = true;
    // Leaked if append() hangs: its thread cannot be stopped, and the queue must outlive it.
    auto* queue = new LogAppendQueue(16, [&](const QString&, const std::vector<QByteArray>&) {
        if (std::exchange(first, false)) {
            writing.set_value();
            opened.wait();
        }
        return Result<Done>(Done{});
    });
    const auto goesIn = [queue](int size) {
        auto appended = std::make_shared<std::promise<void>>();
        auto finished = appended->get_future();
        std::thread([=] {
            queue->append(QStringLiteral("unused"), QByteArray(size, 'x'));
            appended->set_value();
        }).detach();
        return finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    };
    queue->append(QStringLiteral("unused"), QByteArray(8, 'a'));
    writing.get_future().wait(); // the writer holds these 8 bytes
    const bool fitted = goesIn(8);
    gate.set_value();
    EXPECT_TRUE(fitted) << "16 bytes fit a bound of 16";
    queue->drain();
    ASSERT_TRUE(goesIn(17)) << "append() waited for an empty queue to empty";
    queue->drain();
    delete queue;
}
