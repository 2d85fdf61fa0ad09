#include "core/base/Bundle.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Bundle, ExecutableInsideAnAppIsAnsweredWithTheAppFolderElseItsOwnFolder)
{
    TestBundle test;
    EXPECT_EQ(Bundle::forExecutableDirectory(test.path() + u"/Contents/MacOS"_s).path(),
              test.path());
    // A MacOS folder under Contents, but not inside a .app.
    const QString notApp = test.root() + u"/Plain/Contents/MacOS"_s;
    QDir().mkpath(notApp);
    EXPECT_EQ(Bundle::forExecutableDirectory(notApp).path(), notApp);
}

TEST(Bundle, ResourcesAreFoundByNameExtensionAndSubfolder)
{
    TestBundle test;
    const QString script = test.writeFile(u"Resources/Daemon/entry.mjs"_s, "x");
    const QString node = test.writeFile(u"Resources/Daemon/node"_s, "x");
    const Bundle bundle = test.bundle();

    EXPECT_EQ(bundle.resource(u"entry"_s, u"mjs"_s, u"Daemon"_s), script);
    EXPECT_EQ(bundle.resource(u"node"_s, {}, u"Daemon"_s), node);
    EXPECT_FALSE(bundle.resource(u"entry"_s, {}, u"Daemon"_s));
    EXPECT_FALSE(bundle.resource(u"entry"_s, u"mjs"_s));
}

// The property list's types and faults are PropertyList's (PropertyListTest),
// a FIFO refused unopened RegularFile's (RegularFileTest).
TEST(Bundle, InfoDictionaryIsContentsInfoPlistAndEmptyWhenMissingMalformedOrOverFourMebibytes)
{
    TestBundle test;
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());
    test.writeFile(u"Info.plist"_s, R"(<plist version="1.0"><dict>
  <key>CFBundleVersion</key><string>42</string><key>LSUIElement</key><true/>
</dict></plist>)");
    EXPECT_EQ(test.bundle().infoString(u"CFBundleVersion"_s), u"42"_s);
    EXPECT_EQ(test.bundle().infoDictionary().value(u"LSUIElement"_s), QVariant(true));
    test.writeFile(u"Info.plist"_s, "<plist><array/></plist>");

    // Valid, and padded with spaces to the limit, then one byte over it.
    const QByteArray xml = infoPlistXml({{u"CFBundleIdentifier"_s, u"a.b"_s}});
    const QByteArray padded = xml + QByteArray(4 * 1024 * 1024 - xml.size(), ' ');
    test.writeFile(u"Info.plist"_s, padded);
    EXPECT_EQ(test.bundle().infoString(u"CFBundleIdentifier"_s), u"a.b"_s);
    test.writeFile(u"Info.plist"_s, padded + ' ');
    EXPECT_TRUE(test.bundle().infoDictionary().isEmpty());
}

// Its daemon files are found by DaemonLocator (DaemonAPITest), its other
// resources checked by the install test.
TEST(Bundle, TheAssembledBundleCarriesVersionAndResources)
{
    const Bundle bundle(QStringLiteral(ZENTROPE_APP_DIR));
    EXPECT_FALSE(bundle.infoString(u"CFBundleShortVersionString"_s).isEmpty());
    EXPECT_FALSE(bundle.infoString(u"CFBundleVersion"_s).isEmpty());
    EXPECT_EQ(bundle.infoString(u"CFBundleName"_s), u"Zentrope"_s);
}
