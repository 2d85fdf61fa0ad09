#include "core/daemon/DaemonLocator.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A development tree T holding dist/Zentrope.app/Contents/Resources/Daemon, and an
// empty bundle whose containing folder lies `depth` levels below T.
struct DevTree
{
    explicit DevTree(int depth)
        : bundle(QStringLiteral("T") + QStringLiteral("/d").repeated(depth))
    {
        daemonRoot =
            bundle.root() + QStringLiteral("/T/dist/Zentrope.app/Contents/Resources/Daemon");
        QDir().mkpath(daemonRoot);
    }
    TestBundle bundle;
    QString daemonRoot;
};

} // namespace

TEST(DaemonLocator, TheBundlesOwnDaemonFolderComesFirst)
{
    TestBundle bundle;
    bundle.installFakeDaemon("exit 0\n");
    const DaemonLocator locator(bundle.bundle());
    EXPECT_EQ(locator.nodeBinary(),
              bundle.path() + QStringLiteral("/Contents/Resources/Daemon/node"));
    EXPECT_EQ(locator.entryScript(),
              bundle.path() + QStringLiteral("/Contents/Resources/Daemon/entry.mjs"));
}

TEST(DaemonLocator, DevelopmentTreeIsFoundOnTheSixthAndLastTry)
{
    const DevTree tree(5);
    const DaemonLocator locator(tree.bundle.bundle());
    EXPECT_EQ(locator.devModeDaemonRoot(), tree.daemonRoot);
    // Files in the development tree are not checked for existence.
    EXPECT_EQ(locator.nodeBinary(), tree.daemonRoot + QStringLiteral("/node"));
    EXPECT_EQ(locator.entryScript(), tree.daemonRoot + QStringLiteral("/entry.mjs"));
}

TEST(DaemonLocator, DevelopmentTreeSixLevelsUpIsOutOfReach)
{
    const DevTree tree(6);
    const DaemonLocator locator(tree.bundle.bundle());
    EXPECT_FALSE(locator.devModeDaemonRoot());
    EXPECT_FALSE(locator.nodeBinary());
}

TEST(DaemonLocator, BundleResourceWinsOverDevelopmentTreePerFile)
{
    const DevTree tree(0);
    tree.bundle.writeFile(QStringLiteral("Resources/Daemon/node"), "#!/bin/sh\n", true);
    const DaemonLocator locator(tree.bundle.bundle());
    EXPECT_EQ(locator.nodeBinary(),
              tree.bundle.path() + QStringLiteral("/Contents/Resources/Daemon/node"));
    EXPECT_EQ(locator.entryScript(), tree.daemonRoot + QStringLiteral("/entry.mjs"));
}
