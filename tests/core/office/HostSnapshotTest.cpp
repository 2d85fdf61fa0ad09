#include "core/office/HostSnapshot.h"

#include "core/office/Sideloader.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Reports `applications` and counts how often it was asked.
class CountingWorkspace final : public platform::Workspace
{
public:
    QList<platform::RunningApplication> runningApplications() const override
    {
        ++lists;
        return applications;
    }
    bool terminate(const platform::RunningApplication&) override { return false; }

    QList<platform::RunningApplication> applications;
    mutable int lists = 0;
};

} // namespace

TEST(HostSnapshot, TakesTheThreeHostsInOrderWithOneLookAtTheRunningApplications)
{
    TemporaryHome home;
    const OfficeHost word = OfficeHost::word, excel = OfficeHost::excel;
    writeFileAt(word.wefDirectory() + u'/' + Sideloader::legacyManifestFileName.toString(),
                "<OfficeApp/>");
    ASSERT_TRUE(QDir().mkpath(excel.containerDirectory()));
    CountingWorkspace workspace;
    workspace.applications = {{21, u"com.microsoft.Word"_s, {}},
                              {22, u"com.microsoft.excel"_s, {}}, // not Excel's exact identifier
                              {23, std::nullopt, u"/usr/bin/sleep"_s}};

    const QList<HostSnapshot> snapshots = HostSnapshot::take(workspace);
    EXPECT_EQ(workspace.lists, 1);
    const QList<HostSnapshot> expected = {{OfficeHost::word, true, true, true},
                                          {OfficeHost::excel, true, false, false},
                                          {OfficeHost::powerpoint, false, false, false}};
    EXPECT_EQ(snapshots, expected);
    QStringList labels;
    for (const HostSnapshot& each : snapshots)
        labels.append(each.statusLabel());
    EXPECT_EQ(labels, (QStringList{u"Sideloaded — restart to load"_s, u"Not sideloaded"_s,
                                   u"App not installed on this Mac"_s}));
}
