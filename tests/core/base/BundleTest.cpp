#include "core/base/Bundle.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Bundle, ExecutableInsideAnAppIsAnsweredWithTheAppFolderElseItsOwnFolder)
{
    TestBundle test;
    EXPECT_EQ(
        Bundle::forExecutableDirectory(test.path() + QStringLiteral("/Contents/MacOS")).path(),
        test.path());
    // A MacOS folder under Contents, but not inside a .app.
    const QString notApp = test.root() + QStringLiteral("/Plain/Contents/MacOS");
    QDir().mkpath(notApp);
    EXPECT_EQ(Bundle::forExecutableDirectory(notApp).path(), notApp);
}

TEST(Bundle, ResourcesAreFoundByNameExtensionAndSubfolder)
{
    TestBundle test;
    const QString script = test.writeFile(QStringLiteral("Resources/Daemon/entry.mjs"), "x");
    const QString node = test.writeFile(QStringLiteral("Resources/Daemon/node"), "x");
    const Bundle bundle = test.bundle();

    EXPECT_EQ(
        bundle.resource(QStringLiteral("entry"), QStringLiteral("mjs"), QStringLiteral("Daemon")),
        script);
    EXPECT_EQ(bundle.resource(QStringLiteral("node"), {}, QStringLiteral("Daemon")), node);
    EXPECT_FALSE(bundle.resource(QStringLiteral("entry"), {}, QStringLiteral("Daemon")));
    EXPECT_FALSE(bundle.resource(QStringLiteral("entry"), QStringLiteral("mjs")));
}

TEST(Bundle, InfoDictionaryReadsTypedValues)
{
    TestBundle test;
    test.writeFile(QStringLiteral("Info.plist"), R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
  <key>CFBundleShortVersionString</key><string>1.2</string>
  <key>CFBundleVersion</key><string>42</string>
  <key>LSUIElement</key><true/>
  <key>Count</key><integer>7</integer>
  <key>List</key><array><string>a</string><false/></array>
  <key>Nested</key><dict><key>k</key><string>v &amp; w</string></dict>
</dict></plist>)");
    const QVariantMap info = test.bundle().infoDictionary();
    EXPECT_EQ(info.value(QStringLiteral("CFBundleShortVersionString")).toString(),
              QStringLiteral("1.2"));
    EXPECT_EQ(test.bundle().infoString(QStringLiteral("CFBundleVersion")), QStringLiteral("42"));
    EXPECT_EQ(info.value(QStringLiteral("LSUIElement")), QVariant(true));
    EXPECT_EQ(info.value(QStringLiteral("Count")).toLongLong(), 7);
    EXPECT_EQ(info.value(QStringLiteral("List")).toList(),
              (QVariantList{QStringLiteral("a"), false}));
    EXPECT_EQ(info.value(QStringLiteral("Nested")).toMap().value(QStringLiteral("k")).toString(),
              QStringLiteral("v & w"));
}

TEST(Bundle, MissingOrMalformedInfoPlistGivesAnEmptyDictionary)
{
    TestBundle test;
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());
    test.writeFile(QStringLiteral("Info.plist"), "<plist><dict><key>A</key></dict>");
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());
    test.writeFile(QStringLiteral("Info.plist"), "<plist><array/></plist>");
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());
}

TEST(Bundle, AnInfoPlistThatIsAFifoOrOverFourMebibytesIsNotRead)
{
    TestBundle test;
    const QString path = test.path() + QStringLiteral("/Contents/Info.plist");
    // Valid, and padded with spaces to one byte over the limit.
    QByteArray xml = infoPlistXml({{QStringLiteral("CFBundleIdentifier"), QStringLiteral("a.b")}});
    const QByteArray padded = xml + QByteArray(4 * 1024 * 1024 - xml.size(), ' ');
    writeFileAt(path, padded);
    EXPECT_EQ(test.bundle().infoString(QStringLiteral("CFBundleIdentifier")),
              QStringLiteral("a.b"));
    writeFileAt(path, padded + ' ');
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty()); // at once, with no writer
}

TEST(Bundle, TheAssembledBundleCarriesVersionAndResources)
{
    const Bundle bundle(QStringLiteral(ZENTROPE_APP_DIR));
    EXPECT_FALSE(bundle.infoString(QStringLiteral("CFBundleShortVersionString")).isEmpty());
    EXPECT_FALSE(bundle.infoString(QStringLiteral("CFBundleVersion")).isEmpty());
    EXPECT_EQ(bundle.infoString(QStringLiteral("CFBundleName")), QStringLiteral("Zentrope"));
    EXPECT_TRUE(bundle.resource(QStringLiteral("node"), {}, QStringLiteral("Daemon")));
    EXPECT_TRUE(
        bundle.resource(QStringLiteral("entry"), QStringLiteral("mjs"), QStringLiteral("Daemon")));
    EXPECT_TRUE(bundle.resource(QStringLiteral("manifest"), QStringLiteral("xml"),
                                QStringLiteral("setup")));
}
