#include "core/base/HomeFolder.h"

#include "core/base/NativeText.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HomeFolder, OnlyAnAbsoluteUtf8HomeNamesTheHomeFolder)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"/tmp/x/home/al/", u"/tmp/x/home/al"_s},
        {"/home/caf\xc3\xa9", u"/home/café"_s},
        {"", u"error: HOME is empty."_s},
        {"home/al", u"error: HOME (“home/al”) is not an absolute path."_s},
        {"/tmp/\xff/al", u"error: HOME (“/tmp/\\xff/al”) is not valid UTF-8."_s},
    };
    ScopedEnvironment environment;
    for (const auto& [value, expected] : cases) {
        environment.set("HOME", value);
        const Result<QString> home = HomeFolder::fromEnvironment();
        EXPECT_EQ(home ? home.value() : u"error: "_s + home.error().description, expected);
    }
    qunsetenv("HOME");
    EXPECT_EQ(HomeFolder::fromEnvironment().error().description, u"HOME is not set."_s);
}

// Qt decodes names as UTF-8, bytes that are not as U+FFFD, and encodes that
// back as other bytes: such a name is refused, not turned into another.
TEST(NativeText, ANameThatWouldNotComeBackTheSameIsRefused)
{
    EXPECT_EQ(NativeText::decode("/tmp/caf\xc3\xa9.xml"), u"/tmp/café.xml"_s);
    EXPECT_EQ(NativeText::decode("/tmp/\xff.xml"), std::nullopt);

    const char* const good[] = {"zentropectl", "sideload", "/tmp/caf\xc3\xa9.xml"};
    EXPECT_EQ(NativeText::arguments(3, good).value(),
              (QStringList{u"zentropectl"_s, u"sideload"_s, u"/tmp/café.xml"_s}));
    const char* const bad[] = {"zentropectl", "--manifest", "/tmp/\xff\x1b.xml"};
    EXPECT_EQ(NativeText::arguments(3, bad).error().description,
              u"The argument “/tmp/\\xff\\x1b.xml” is not valid UTF-8; file names and other "
              u"words are read as UTF-8."_s);
}
