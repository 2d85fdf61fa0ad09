#include "core/base/RegularFile.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using FinalLink = RegularFile::FinalLink;

namespace {

QString describe(const Result<QByteArray>& read)
{
    return read ? QString::fromUtf8(read.value()) : read.error().description;
}

} // namespace

// A FIFO would block any of these for ever if it were opened the usual way.
TEST(RegularFile, OnlyARegularFileIsReadAndALinkOnlyWhenAllowed)
{
    QTemporaryDir folder;
    const QString file = writeFileAt(folder.filePath(u"file"_s), "content");
    const QString fifo = folder.filePath(u"fifo"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = folder.filePath(u"link"_s);
    ASSERT_TRUE(QFile::link(file, link));
    const QString linkToFifo = folder.filePath(u"link-to-fifo"_s);
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));

    const struct
    {
        QString path;
        FinalLink link;
        QString outcome;
    } cases[] = {
        {file, FinalLink::refuse, u"content"_s},
        {link, FinalLink::follow, u"content"_s},
        {link, FinalLink::refuse, u"Is a symbolic link, which is not followed"_s},
        {linkToFifo, FinalLink::follow, u"Is a FIFO, not a regular file"_s},
        {folder.path(), FinalLink::follow, u"Is a folder, not a regular file"_s},
        {u"/dev/zero"_s, FinalLink::follow, u"Is a device, not a regular file"_s},
        {folder.filePath(u"absent"_s), FinalLink::follow, u"No such file or directory"_s},
    };
    for (const auto& each : cases)
        EXPECT_EQ(describe(RegularFile::readAll(each.path, 100, each.link)), each.outcome)
            << each.path.toStdString();
}

TEST(RegularFile, AFileOverTheLimitIsRefusedWithoutBeingRead)
{
    QTemporaryDir folder;
    const QString path = writeFileAt(folder.filePath(u"file"_s), QByteArray(10, 'x'));
    EXPECT_EQ(describe(RegularFile::readAll(path, 10, FinalLink::follow)), u"xxxxxxxxxx"_s);
    EXPECT_EQ(describe(RegularFile::readAll(path, 9, FinalLink::follow)),
              u"Is larger than 9 bytes"_s);
    // Files that report no size are read up to the limit and no further.
    EXPECT_EQ(describe(RegularFile::readAll(u"/proc/self/status"_s, 9, FinalLink::follow)),
              u"Is larger than 9 bytes"_s);

    // 8 GB that would take minutes to read, were it read.
    const QString huge = writeFileAt(folder.filePath(u"huge"_s), {});
    ASSERT_TRUE(QFile::resize(huge, 8'000'000'000));
    EXPECT_EQ(RegularFile::readAll(huge, 4 * 1024 * 1024, FinalLink::follow).error().code,
              RegularFile::tooLarge);
}

TEST(RegularFile, AppendingNeitherFollowsNorCreatesThroughALink)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(u"target"_s);
    const QString link = folder.filePath(u"daemon.log"_s);
    ASSERT_TRUE(QFile::link(target, link)); // dangling: the target is not there yet
    const auto opened = RegularFile::openForAppending(link);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().description, u"Is a symbolic link, which is not followed"_s);
    EXPECT_FALSE(QFile::exists(target));

    writeFileAt(target, "kept");
    EXPECT_FALSE(RegularFile::openForAppending(link));
    EXPECT_EQ(readFileAt(target), "kept");

    const QString fresh = folder.filePath(u"fresh"_s);
    ASSERT_TRUE(RegularFile::openForAppending(fresh));
    EXPECT_TRUE(QFileInfo(fresh).isFile());
    EXPECT_EQ(RegularFile::createForReading(fresh).error().code, EEXIST);
}
