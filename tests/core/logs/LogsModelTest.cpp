#include "core/logs/LogsModel.h"

#include "platform/linux/InotifyFileWatcher.h"
#include "support/OpenFiles.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QScopeGuard>
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
    QStringList chunks;
    QObject::connect(&model, &LogsModel::contentReplaced, [&] { ++replaced; });
    QObject::connect(&model, &LogsModel::contentAppended,
                     [&](const QString& text, bool frontDropped) {
                         chunks.append(text);
                         EXPECT_FALSE(frontDropped);
                     });
    model.clear();
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(model.displayedContent(), QString());

    append(logPath(Stream::stdout), "new\nother\n");
    ASSERT_TRUE(waitUntil([&] { return model.content() == QStringLiteral("new\nother\n"); }));
    EXPECT_EQ(chunks, QStringList{QStringLiteral("new\nother\n")});
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

TEST_F(LogsModelTest, AFilterHandsOutCompleteMatchingLinesAndTheLastOneWhenFlushed)
{
    // "z" and "{" lie on either side of the end of the ASCII lower case.
    writeFileAt(logPath(Stream::stdout), "zebra {1}\nZEBRA [1]\nzebra {2");
    model.setFilter(QStringLiteral("ZEBRA {"));
    ASSERT_TRUE(model.rebindTailer().ok());
    recordAppended(model);
    EXPECT_EQ(model.displayedContent(), QStringLiteral("zebra {1}"));

    arrive(model, "}\nnoise\nzebra {3}");
    EXPECT_EQ(appended, QStringList{QStringLiteral("\nzebra {2}")});
    EXPECT_EQ(model.displayedContent(), QStringLiteral("zebra {1}\nzebra {2}"));
    model.flushPartialLine();
    EXPECT_EQ(appended.last(), QStringLiteral("\nzebra {3}"));
    EXPECT_EQ(model.displayedContent(), QStringLiteral("zebra {1}\nzebra {2}\nzebra {3}"));
    arrive(model, " and more\n"); // judged as a line of its own
    EXPECT_EQ(appended.size(), 2);

    int replaced = 0;
    QObject::connect(&model, &LogsModel::displayedReplaced, [&] { ++replaced; });
    model.setFilter({});
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(model.displayedContent(), model.content());
    arrive(model, "half a li");
    EXPECT_EQ(appended.last(), QStringLiteral("half a li")); // unfiltered text comes as it is
}

TEST_F(LogsModelTest, TurkishAndAzerbaijaniTellDottedAndDotlessIApart)
{
    const auto restore = qScopeGuard([previous = QLocale()] { QLocale::setDefault(previous); });
    for (const auto language : {QLocale::Turkish, QLocale::Azerbaijani}) {
        SCOPED_TRACE(QLocale::languageToCode(language).toStdString());
        QLocale::setDefault(QLocale(language)); // as the user's setting would be
        writeFileAt(logPath(Stream::stdout), "İstanbul\n");
        LogsModel shown(dir.path(), std::make_shared<platform::InotifyFileWatcher>());
        shown.setFilter(QStringLiteral("istanbul"));
        ASSERT_TRUE(shown.rebindTailer().ok());
        appended.clear();
        recordAppended(shown);
        EXPECT_EQ(shown.displayedContent(), QStringLiteral("İstanbul"));
        arrive(shown, "ISTANBUL\nılık\nistanbul\n");
        EXPECT_EQ(appended, QStringList{QStringLiteral("\nistanbul")});
        // The capital of "ı" is "I", not the capital of "i".
        shown.setFilter(QStringLiteral("ı"));
        EXPECT_EQ(shown.displayedContent(), QStringLiteral("ISTANBUL\nılık"));
    }
}

TEST_F(LogsModelTest, AcrossTheBoundEachMatchingLineIsHandedOutOnceAndTheDisplayStartsAfresh)
{
    ASSERT_TRUE(model.rebindTailer().ok());
    model.setFilter(QStringLiteral("keep"));
    QStringList handedOut;
    bool frontDropped = false;
    QObject::connect(&model, &LogsModel::displayedAppended, [&](const QString& text, bool dropped) {
        frontDropped = frontDropped || dropped;
        const QString lines = text.startsWith(u'\n') ? text.sliced(1) : text;
        if (!lines.isEmpty())
            handedOut += lines.split(u'\n');
    });
    // Most of a buffer judged first, then the chunk that crosses the bound.
    QStringList kept;
    qsizetype written = 0;
    int number = 0;
    for (const qsizetype upTo : {700'000, 1'048'577}) {
        QByteArray bytes;
        for (; written + bytes.size() < upTo; ++number) {
            const QByteArray line = (number % 3 ? "drop " : "keep ") + QByteArray::number(number);
            if (number % 3 == 0)
                kept.append(QString::fromLatin1(line));
            bytes += line + '\n';
        }
        written += bytes.size();
        append(logPath(Stream::stdout), bytes);
        ASSERT_TRUE(waitUntil([&] { return handedOut.size() >= kept.size(); }));
    }

    EXPECT_TRUE(frontDropped);
    EXPECT_TRUE(handedOut == kept) << handedOut.size() << " lines handed out";
    // What is still shown is the end of what was kept, from whole lines only.
    const QStringList shown = model.displayedContent().split(u'\n');
    EXPECT_GT(shown.size(), 1);
    EXPECT_TRUE(kept.mid(kept.size() - shown.size()) == shown);
}

TEST_F(LogsModelTest, EditsKeepAViewsCopyOfTheDisplayInStepAcrossTrims)
{
    ASSERT_TRUE(model.rebindTailer().ok());
    int number = 0;
    for (const QString& filter : {QString(), QStringLiteral("KEEP")}) {
        model.setFilter(filter);
        QString copy = model.displayedContent();
        int wholeAgain = 0;
        QObject receiver;
        QObject::connect(&model, &LogsModel::displayedReplaced, &receiver,
                         [&] { copy = model.displayedContent(); });
        QObject::connect(&model, &LogsModel::displayedEdited, &receiver,
                         [&](qsizetype removed, const QString& added) {
                             if (removed > 0 && removed == copy.size())
                                 ++wholeAgain;
                             copy = copy.sliced(removed) + added;
                         });
        // Eight chunks of about 300 kB: the bound is crossed several times,
        // mostly inside a line.
        for (int chunk = 0; chunk < 8; ++chunk) {
            QByteArray bytes;
            while (bytes.size() < 300'000) {
                const bool keep = number % 3 == 0;
                bytes += (keep ? "keep " : "drop ") + QByteArray(number % 50, 'x') + " é " +
                         QByteArray::number(number) + '\n';
                ++number;
            }
            const QString last = QString::fromUtf8(bytes.last(20));
            append(logPath(Stream::stdout), bytes);
            ASSERT_TRUE(waitUntil([&] { return model.content().endsWith(last); }));
            ASSERT_TRUE(copy == model.displayedContent())
                << "filter '" << filter.toStdString() << "', chunk " << chunk;
        }
        EXPECT_EQ(wholeAgain, 0) << "trims keep what is still shown";
    }
}
