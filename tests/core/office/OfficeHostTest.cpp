#include "core/office/OfficeHost.h"

#include "support/Printers.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(OfficeHost, CasesComeInOrderWithTheirNames)
{
    QStringList described;
    for (const OfficeHost host : OfficeHost::allCases())
        described << host.rawValue() + u' ' + host.bundleId() + u' ' + host.displayName();
    EXPECT_EQ(described,
              (QStringList{u"word com.microsoft.Word Microsoft Word"_s,
                           u"excel com.microsoft.Excel Microsoft Excel"_s,
                           u"powerpoint com.microsoft.Powerpoint Microsoft PowerPoint"_s}));
    EXPECT_EQ(OfficeHost::fromRawValue(u"powerpoint"), OfficeHost::powerpoint);
    EXPECT_FALSE(OfficeHost::fromRawValue(u"Word"));
}

TEST(OfficeHost, LocationsAndInstalledStateFollowTheHomeFolderOfTheMoment)
{
    TemporaryHome first;
    const OfficeHost host = OfficeHost::powerpoint;
    const QString container = first.path() + u"/Library/Containers/com.microsoft.Powerpoint"_s;
    EXPECT_EQ(host.containerDirectory(), container);
    EXPECT_EQ(host.wefDirectory(), container + u"/Data/Documents/wef"_s);
    EXPECT_EQ(host.containerDataLibrary(), container + u"/Data/Library"_s);
    EXPECT_FALSE(host.isInstalled());
    // A container left behind by a deleted application still counts.
    ASSERT_TRUE(QDir().mkpath(container));
    EXPECT_TRUE(host.isInstalled());
    EXPECT_FALSE(OfficeHost(OfficeHost::excel).isInstalled());

    TemporaryHome second;
    EXPECT_TRUE(host.wefDirectory().startsWith(second.path() + u'/'));
    EXPECT_FALSE(host.isInstalled());
}
