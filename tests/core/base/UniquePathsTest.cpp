#include "core/base/UniquePaths.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(UniquePaths, AFileTakesTheFirstFreeNameAndNothingIsReplaced)
{
    QTemporaryDir folder;
    const QString taken = writeFileAt(folder.filePath(u"report.zip"_s), "first");
    writeFileAt(folder.filePath(u"report 2.zip"_s), "second");
    for (const QString& expected : {u"report 3.zip"_s, u"report 4.zip"_s}) {
        const QString source = writeFileAt(folder.filePath(u"staged"_s), expected.toUtf8());
        const auto moved =
            UniquePaths::moveToFreeName(source, folder.path(), u"report"_s, u".zip"_s);
        ASSERT_TRUE(moved.ok()) << moved.error().description.toStdString();
        EXPECT_EQ(moved.value(), folder.filePath(expected));
        EXPECT_EQ(readFileAt(moved.value()), expected.toUtf8());
        EXPECT_FALSE(QFileInfo::exists(source));
    }
    EXPECT_EQ(readFileAt(taken), "first");

    const auto own = UniquePaths::createDirectory(folder.path(), u"run-"_s);
    const auto other = UniquePaths::createDirectory(folder.path(), u"run-"_s);
    ASSERT_TRUE(own.ok() && other.ok());
    EXPECT_NE(own.value(), other.value());
    EXPECT_EQ(QFileInfo(own.value()).permissions() & 0x0077, 0) << "for this user alone";
    EXPECT_FALSE(UniquePaths::createDirectory(taken, u"x-"_s).ok()) << "a file is no parent";
}
