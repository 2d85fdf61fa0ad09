#include "core/logs/LogsModel.h"

#include "platform/linux/InotifyFileWatcher.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    QString logPath(Stream stream) const
    {
        return dir.filePath(stream == Stream::stdout ? u"daemon.log"_s : u"daemon.err"_s);
    }

    // Records what `shown` hands out as appended to the display.
    void recordAppended(LogsModel& shown)
    {
        QObject::connect(&shown, &LogsModel::displayedAppended,
                         [this](const QString& text, bool frontDropped) {
                             appended.append(text);
                             EXPECT_FALSE(frontDropped);
                         });
    }
    // Appends to the output log and waits until `shown` has all of it.
    void arrive(LogsModel& shown, const QByteArray& bytes)
    {
        append(logPath(Stream::stdout), bytes);
        const QString text = QString::fromUtf8(bytes);
        ASSERT_TRUE(waitUntil([&] { return shown.content().endsWith(text); }));
    }

    QTemporaryDir dir;
    LogsModel model{dir.path(), std::make_shared<platform::InotifyFileWatcher>()};
    QStringList appended;
};

} // namespace

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
}

TEST_F(LogsModelTest, ACharacterCutAtTheEndOfTheTailIsCompletedByTheNextAppend)
{
    writeFileAt(logPath(Stream::stdout), "price: \xE2\x82");
    ASSERT_TRUE(model.rebindTailer().ok());
    EXPECT_EQ(model.content(), u"price: "_s);
    append(logPath(Stream::stdout), "\xAC\n");
    EXPECT_TRUE(waitUntil([&] { return model.content() == u"price: €\n"_s; }));
}

TEST_F(LogsModelTest, ClearingTheViewKeepsTheFileAndShowsOnlyNewOutput)
{
    writeFileAt(logPath(Stream::stdout), "old\n");
    ASSERT_TRUE(model.rebindTailer().ok());
    int replaced = 0;
    QObject::connect(&model, &LogsModel::contentReplaced, [&] { ++replaced; });
    model.clear();
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(model.displayedContent(), QString());
    arrive(model, "new\nother\n");
    EXPECT_EQ(model.content(), u"new\nother\n"_s);
    EXPECT_EQ(readFileAt(logPath(Stream::stdout)), "old\nnew\nother\n");
}

TEST_F(LogsModelTest, AMissingLogIsCreatedEmptyAndAMissingFolderIsReported)
{
    ASSERT_TRUE(model.rebindTailer().ok());
    EXPECT_EQ(model.content(), QString());
    EXPECT_TRUE(QFile::exists(logPath(Stream::stdout)));

    LogsModel nowhere(dir.filePath(u"missing"_s), std::make_shared<platform::InotifyFileWatcher>());
    EXPECT_EQ(nowhere.loadTail().error().code, ENOENT);
    EXPECT_EQ(nowhere.rebindTailer().error().code, ENOENT);
}

TEST_F(LogsModelTest, AFilterHandsOutCompleteMatchingLinesAndTheLastOneWhenFlushed)
{
    // "z" and "{" lie on either side of the end of the ASCII lower case.
    writeFileAt(logPath(Stream::stdout), "zebra {1}\nZEBRA [1]\nzebra {2");
    model.setFilter(u"ZEBRA {"_s);
    ASSERT_TRUE(model.rebindTailer().ok());
    recordAppended(model);
    EXPECT_EQ(model.displayedContent(), u"zebra {1}"_s);

    arrive(model, "}\nnoise\nzebra {3}");
    EXPECT_EQ(appended, QStringList{u"\nzebra {2}"_s});
    EXPECT_EQ(model.displayedContent(), u"zebra {1}\nzebra {2}"_s);
    model.flushPartialLine();
    EXPECT_EQ(appended.last(), u"\nzebra {3}"_s);
    EXPECT_EQ(model.displayedContent(), u"zebra {1}\nzebra {2}\nzebra {3}"_s);
    arrive(model, " and more\n"); // judged as a line of its own
    EXPECT_EQ(appended.size(), 2);

    int replaced = 0;
    QObject::connect(&model, &LogsModel::displayedReplaced, [&] { ++replaced; });
    model.setFilter({});
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(model.displayedContent(), model.content());
    arrive(model, "half a li");
    EXPECT_EQ(appended.last(), u"half a li"_s); // unfiltered text comes as it is
}

// With and without a filter, across several trims: a view that applies the
// edits to its copy stays in step without being set afresh, and each
// matching line is handed out once, the very first one included.
TEST_F(LogsModelTest, AcrossTheBoundEditsKeepAViewInStepAndEachLineIsHandedOutOnce)
{
    ASSERT_TRUE(model.rebindTailer().ok());
    int number = 0;
    for (const QString& filter : {u"KEEP"_s, QString()}) {
        SCOPED_TRACE(filter.toStdString());
        model.setFilter(filter);
        QString copy = model.displayedContent();
        QStringList handedOut, kept;
        int wholeAgain = 0;
        bool frontDropped = false;
        QObject receiver;
        QObject::connect(&model, &LogsModel::displayedReplaced, &receiver,
                         [&] { copy = model.displayedContent(); });
        QObject::connect(&model, &LogsModel::displayedEdited, &receiver,
                         [&](qsizetype removed, const QString& added) {
                             if (removed > 0 && removed == copy.size())
                                 ++wholeAgain;
                             copy = copy.sliced(removed) + added;
                         });
        QObject::connect(&model, &LogsModel::displayedAppended, &receiver,
                         [&](const QString& text, bool dropped) {
                             frontDropped = frontDropped || dropped;
                             const QString lines = text.startsWith(u'\n') ? text.sliced(1) : text;
                             if (!lines.isEmpty())
                                 handedOut += lines.split(u'\n');
                         });
        // Eight chunks of about 300 kB: the bound is crossed several times,
        // mostly inside a line, and once most of a buffer has been judged.
        for (int chunk = 0; chunk < 8; ++chunk) {
            QByteArray bytes;
            for (; bytes.size() < 300'000; ++number) {
                const QByteArray line = (number % 3 ? "drop " : "keep ") +
                                        QByteArray(number % 50, 'x') + " é " +
                                        QByteArray::number(number);
                if (number % 3 == 0)
                    kept.append(QString::fromUtf8(line));
                bytes += line + '\n';
            }
            const QString last = QString::fromUtf8(bytes.last(20));
            append(logPath(Stream::stdout), bytes);
            ASSERT_TRUE(waitUntil([&] { return model.content().endsWith(last); }));
            ASSERT_TRUE(copy == model.displayedContent()) << "chunk " << chunk;
        }
        EXPECT_TRUE(frontDropped);
        EXPECT_EQ(wholeAgain, 0) << "trims keep what is still shown";
        if (!filter.isEmpty()) {
            EXPECT_TRUE(handedOut == kept) << handedOut.size() << " lines handed out";
            // What is still shown is the end of what was kept, from whole lines only.
            const QStringList shown = model.displayedContent().split(u'\n');
            EXPECT_GT(shown.size(), 1);
            EXPECT_TRUE(kept.mid(kept.size() - shown.size()) == shown);
        }
    }
}
