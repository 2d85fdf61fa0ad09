#include "core/daemon/DaemonLocator.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A development tree T holding dist/Zentrope.app/Contents/Resources/Daemon
// with both files, and a bundle without them whose containing folder lies
// `depth` levels below T.
struct DevTree
{
    explicit DevTree(int depth)
        : bundle(u"T"_s + u"/d"_s.repeated(depth))
    {
        top = bundle.root() + u"/T"_s;
        daemonRoot = top + u"/dist/Zentrope.app/Contents/Resources/Daemon"_s;
        writeFileAt(daemonRoot + u"/node"_s, "#!/bin/sh\n", true);
        writeFileAt(daemonRoot + u"/entry.mjs"_s, "// dev\n");
    }
    // What locate() answers: the two paths, or why it found none.
    QString located() const
    {
        const auto files = DaemonLocator(bundle.bundle()).locate();
        return files ? files.value().nodeBinary + u" + "_s + files.value().entryScript
                     : u"none: "_s + files.error();
    }
    QString both() const { return daemonRoot + u"/node + "_s + daemonRoot + u"/entry.mjs"_s; }

    TestBundle bundle;
    QString top;
    QString daemonRoot;
};

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

} // namespace

TEST(DaemonLocator, BothFilesComeFromOnePlaceTheBundlesOwnFirst)
{
    const DevTree tree(0);
    tree.bundle.installFakeDaemon("exit 0\n");
    const QString own = tree.bundle.path() + u"/Contents/Resources/Daemon"_s;
    EXPECT_EQ(tree.located(), own + u"/node + "_s + own + u"/entry.mjs"_s);

    ASSERT_TRUE(QFile::remove(own + u"/entry.mjs"_s));
    EXPECT_EQ(tree.located(), tree.both());
    ASSERT_TRUE(QFile::remove(tree.daemonRoot + u"/entry.mjs"_s));
    EXPECT_EQ(tree.located(),
              u"none: Passed over the development daemon in %1: “%1/entry.mjs” is missing"_s.arg(
                  tree.daemonRoot));
}

TEST(DaemonLocator, ADevelopmentTreeIsFoundUpToFiveLevelsUp)
{
    const DevTree near(5);
    EXPECT_EQ(near.located(), near.both());
    const DevTree tooFar(6);
    EXPECT_FALSE(DaemonLocator(tooFar.bundle.bundle()).devModeDaemonRoot());
    EXPECT_EQ(tooFar.located(), u"none: "_s);
}

TEST(DaemonLocator, ADevelopmentTreeOthersCanChangeIsPassedOver)
{
    const DevTree tree(1);
    const QString dist = tree.top + u"/dist"_s;
    const QString entry = tree.daemonRoot + u"/entry.mjs"_s;
    const auto passedOver = [&](const QString& entryAndReason) {
        return u"none: Passed over the development daemon in %1: “%2"_s.arg(tree.daemonRoot,
                                                                            entryAndReason);
    };
    const struct
    {
        QString path;
        mode_t mode;
        QString outcome;
    } cases[] = {
        {dist, 0775, passedOver(dist + u"” can be changed by other users"_s)},
        {dist, 0757, passedOver(dist + u"” can be changed by other users"_s)},
        {entry, 0664, passedOver(entry + u"” can be changed by other users"_s)},
        // Like /tmp: others may add entries but not replace ours.
        {dist, 01777, tree.both()},
        {dist, 0755, tree.both()},
    };
    for (const auto& each : cases) {
        setMode(each.path, each.mode);
        EXPECT_EQ(tree.located(), each.outcome) << std::oct << each.mode;
        setMode(each.path, each.path == entry ? 0644 : 0755);
    }

    if (::chown(QFile::encodeName(entry).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "handing a file to another user needs root";
    EXPECT_EQ(tree.located(), passedOver(entry + u"” belongs to another user"_s));
    // A link of ours to a file of another user's is judged by where it leads.
    ASSERT_TRUE(QFile::rename(entry, tree.top + u"/foreign.mjs"_s));
    ASSERT_TRUE(QFile::link(tree.top + u"/foreign.mjs"_s, entry));
    EXPECT_EQ(tree.located(), passedOver(tree.top + u"/foreign.mjs” belongs to another user"_s));
}
