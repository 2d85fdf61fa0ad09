#include "core/logs/LogsModel.h"

#include "platform/linux/InotifyFileWatcher.h"
#include "support/OpenFiles.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Stream = LogsModel::Stream;

namespace {

void append(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(bytes);
}

class LogsModelTest : public ::testing::Test
{
protected:
    QString logPath(Stream stream) const { return dir.filePath(LogsModel::fileName(stream)); }

    QTemporaryDir dir;
    LogsModel model{dir.path(), std::make_shared<platform::InotifyFileWatcher>()};
};

} // namespace

TEST_F(LogsModelTest, StreamsNameTheirFilesAndSegments)
{
    EXPECT_EQ(LogsModel::streams, (std::array{Stream::stdout, Stream::stderr})); // segment order
    EXPECT_EQ(LogsModel::fileName(Stream::stdout), QStringLiteral("daemon.log"));
    EXPECT_EQ(LogsModel::label(Stream::stdout), QStringLiteral("Output (daemon.log)"));
    EXPECT_EQ(LogsModel::fileName(Stream::stderr), QStringLiteral("daemon.err"));
    EXPECT_EQ(LogsModel::label(Stream::stderr), QStringLiteral("Errors (daemon.err)"));
    EXPECT_EQ(model.stream(), Stream::stdout);
    EXPECT_TRUE(model.follow());
    EXPECT_EQ(model.filePath(), logPath(Stream::stdout));
}

TEST_F(LogsModelTest, OnlyTheLast262144BytesAreLoaded)
{
    // Compared as Booleans: a failure would otherwise print a quarter megabyte.
    const QByteArray tail = QByteArray(262'141, 'x') + "\xC3\xA9\n"; // ends "é\n"
    ASSERT_EQ(tail.size(), 262'144);
    writeFileAt(logPath(Stream::stdout), tail);
    ASSERT_TRUE(model.loadTail().ok());
    EXPECT_TRUE(model.content() == QString::fromUtf8(tail)) << "a file of 262,144 bytes is whole";

    writeFileAt(logPath(Stream::stdout), 'y' + tail);
    ASSERT_TRUE(model.loadTail().ok());
    EXPECT_TRUE(model.content() == QString::fromUtf8(tail)) << "262,145 bytes lose the first";

    // A cut inside "é" skips its second byte instead of losing the whole tail.
    writeFileAt(logPath(Stream::stdout), "\xC3\xA9" + tail.sliced(1));
    ASSERT_TRUE(model.loadTail().ok());
    EXPECT_TRUE(model.content() == QString::fromUtf8(tail.sliced(1)));
}

TEST_F(LogsModelTest, AHugeFileIsNotReadBeyondItsTail)
{
    // 64 GiB, nearly all of it a hole: reading it whole could not succeed.
    QFile file(logPath(Stream::stdout));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(64) << 30));
    ASSERT_TRUE(file.seek(file.size()));
    file.write("the end\n");
    file.close();
    ASSERT_TRUE(model.loadTail().ok());
    EXPECT_EQ(model.content().size(), 262'144);
    EXPECT_TRUE(model.content().endsWith(QStringLiteral("the end\n")));
}

TEST_F(LogsModelTest, ACharacterCutAtTheEndOfTheTailIsCompletedByTheNextAppend)
{
    writeFileAt(logPath(Stream::stdout), "price: \xE2\x82");
    ASSERT_TRUE(model.rebindTailer().ok());
    EXPECT_EQ(model.content(), QStringLiteral("price: "));
    append(logPath(Stream::stdout), "\xAC\n");
    EXPECT_TRUE(waitUntil([&] { return model.content() == QStringLiteral("price: €\n"); }));
}

TEST_F(LogsModelTest, SwitchingStreamsShowsEachFileAfresh)
{
    writeFileAt(logPath(Stream::stdout), "out 1\n");
    writeFileAt(logPath(Stream::stderr), "err 1\n");
    ASSERT_TRUE(model.rebindTailer().ok());
    EXPECT_EQ(model.content(), QStringLiteral("out 1\n"));

    // Read by the old tailer but not yet delivered when the stream changes.
    append(logPath(Stream::stdout), "out 2\n");
    ASSERT_TRUE(OpenFiles::waitForPosition(logPath(Stream::stdout), 12));
    model.setStream(Stream::stderr);
    EXPECT_EQ(model.content(), QStringLiteral("err 1\n"));
    append(logPath(Stream::stderr), "err 2\n");
    ASSERT_TRUE(waitUntil([&] { return model.content() == QStringLiteral("err 1\nerr 2\n"); }));

    model.setStream(Stream::stdout);
    EXPECT_EQ(model.content(), QStringLiteral("out 1\nout 2\n"));
    model.unbind();
    EXPECT_EQ(OpenFiles::openOn(logPath(Stream::stdout)), 0);
}

TEST_F(LogsModelTest, ClearingTheViewKeepsTheFileAndShowsOnlyNewOutput)
{
    writeFileAt(logPath(Stream::stdout), "old\n");
    ASSERT_TRUE(model.rebindTailer().ok());
    int replaced = 0;
    QStringList appended;
    QObject::connect(&model, &LogsModel::contentReplaced, [&] { ++replaced; });
    QObject::connect(&model, &LogsModel::contentAppended,
                     [&](const QString& text, bool frontDropped) {
                         appended.append(text);
                         EXPECT_FALSE(frontDropped);
                     });
    model.clear();
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(model.displayedContent(), QString());
    model.setFilter(QStringLiteral("NEW"));
    EXPECT_EQ(model.displayedContent(), QString());

    append(logPath(Stream::stdout), "new\nother\n");
    ASSERT_TRUE(waitUntil([&] { return model.content() == QStringLiteral("new\nother\n"); }));
    EXPECT_EQ(appended, QStringList{QStringLiteral("new\nother\n")});
    EXPECT_EQ(model.displayedContent(), QStringLiteral("new"));
    EXPECT_EQ(readFileAt(logPath(Stream::stdout)), "old\nnew\nother\n");
}

TEST_F(LogsModelTest, AMissingLogIsCreatedEmptyAndAMissingFolderIsReported)
{
    ASSERT_TRUE(model.rebindTailer().ok());
    EXPECT_EQ(model.content(), QString());
    EXPECT_TRUE(QFile::exists(logPath(Stream::stdout)));

    LogsModel nowhere(dir.filePath(QStringLiteral("missing")),
                      std::make_shared<platform::InotifyFileWatcher>());
    EXPECT_EQ(nowhere.loadTail().error().code, ENOENT);
    EXPECT_EQ(nowhere.rebindTailer().error().code, ENOENT);
    EXPECT_EQ(nowhere.content(), QString());
}
