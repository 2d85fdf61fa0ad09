#include "core/office/HostSnapshot.h"

#include "core/office/Sideloader.h"
#include "platform/fake/FakeWorkspace.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HostSnapshot, TakesTheThreeHostsInOrder)
{
    TemporaryHome home;
    const OfficeHost word = OfficeHost::word, excel = OfficeHost::excel;
    writeFileAt(word.wefDirectory() + u'/' + Sideloader::legacyManifestFileName.toString(), "m");
    ASSERT_TRUE(QDir().mkpath(excel.containerDirectory()));
    platform::FakeWorkspace workspace;
    workspace.setApplications({{21, u"com.microsoft.Word"_s, {}},
                               {22, u"com.microsoft.excel"_s, {}}, // not Excel's exact identifier
                               {23, std::nullopt, u"/usr/bin/sleep"_s}});

    const QList<HostSnapshot> snapshots = HostSnapshot::take(workspace);
    EXPECT_EQ(snapshots, (QList<HostSnapshot>{{word, true, true, true},
                                              {excel, true, false, false},
                                              {OfficeHost::powerpoint, false, false, false}}));
    QStringList labels;
    for (const HostSnapshot& each : snapshots)
        labels.append(each.statusLabel());
    EXPECT_EQ(labels, (QStringList{u"Sideloaded — restart to load"_s, u"Not sideloaded"_s,
                                   u"App not installed on this Mac"_s}));
}
