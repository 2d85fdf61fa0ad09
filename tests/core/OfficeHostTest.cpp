#include "core/OfficeHost.h"

#include "platform/fake/FakeWorkspace.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(OfficeHost, CasesComeInOrderWithTheirNames)
{
    const QList<OfficeHost> hosts = OfficeHost::allCases();
    ASSERT_EQ(hosts,
              (QList<OfficeHost>{OfficeHost::word, OfficeHost::excel, OfficeHost::powerpoint}));
    QStringList raw, ids, names;
    for (const OfficeHost host : hosts) {
        raw << host.rawValue();
        ids << host.bundleId();
        names << host.displayName();
    }
    EXPECT_EQ(raw, (QStringList{QStringLiteral("word"), QStringLiteral("excel"),
                                QStringLiteral("powerpoint")}));
    EXPECT_EQ(ids, (QStringList{QStringLiteral("com.microsoft.Word"),
                                QStringLiteral("com.microsoft.Excel"),
                                QStringLiteral("com.microsoft.Powerpoint")}));
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Microsoft Word"), QStringLiteral("Microsoft Excel"),
                           QStringLiteral("Microsoft PowerPoint")}));
}

TEST(OfficeHost, RawValuesMatchExactly)
{
    EXPECT_EQ(OfficeHost::fromRawValue(u"word"), OfficeHost::word);
    EXPECT_EQ(OfficeHost::fromRawValue(u"powerpoint"), OfficeHost::powerpoint);
    EXPECT_FALSE(OfficeHost::fromRawValue(u"Word"));
    EXPECT_FALSE(OfficeHost::fromRawValue(u""));
    EXPECT_FALSE(OfficeHost::fromRawValue(u"word "));
}

TEST(OfficeHost, LocationsFollowTheHomeFolderOfTheMoment)
{
    TemporaryHome first;
    const OfficeHost host = OfficeHost::powerpoint;
    const QString container =
        first.path() + QStringLiteral("/Library/Containers/com.microsoft.Powerpoint");
    EXPECT_EQ(host.containerDirectory(), container);
    EXPECT_EQ(host.wefDirectory(), container + QStringLiteral("/Data/Documents/wef"));
    EXPECT_EQ(host.containerDataLibrary(), container + QStringLiteral("/Data/Library"));

    TemporaryHome second;
    EXPECT_TRUE(host.wefDirectory().startsWith(second.path() + u'/'));
}

TEST(OfficeHost, InstalledMeansItsContainerFolderExists)
{
    TemporaryHome home;
    EXPECT_FALSE(OfficeHost(OfficeHost::word).isInstalled());
    // A container left behind by a deleted application still counts.
    ASSERT_TRUE(QDir().mkpath(OfficeHost(OfficeHost::word).containerDirectory()));
    EXPECT_TRUE(OfficeHost(OfficeHost::word).isInstalled());
    EXPECT_FALSE(OfficeHost(OfficeHost::excel).isInstalled());
}

TEST(OfficeHost, RunningComparesBundleIdentifiersExactly)
{
    platform::FakeWorkspace workspace;
    workspace.setApplications({{11, std::nullopt, QStringLiteral("/usr/bin/anything")},
                               {12, QStringLiteral("com.microsoft.word"), {}},
                               {13, QStringLiteral("com.microsoft.PowerPoint"), {}}});
    for (const OfficeHost host : OfficeHost::allCases())
        EXPECT_FALSE(host.isRunning(workspace)) << host.rawValue().toStdString();

    workspace.setApplications({{14, QStringLiteral("com.microsoft.Powerpoint"), {}}});
    EXPECT_TRUE(OfficeHost(OfficeHost::powerpoint).isRunning(workspace));
    EXPECT_FALSE(OfficeHost(OfficeHost::word).isRunning(workspace));
}
