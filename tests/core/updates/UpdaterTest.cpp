#include "core/updates/Updater.h"

#include "platform/fake/FakeUpdateFramework.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Updater, StartsOneControllerWhoseChecksAskItsChannelDelegateAfresh)
{
    QTemporaryDir scratch;
    UserDefaults defaults(scratch.filePath(u"d"_s));
    platform::FakeUpdateFramework framework;
    Updater updater(framework, Bundle(scratch.path()), defaults);
    ASSERT_EQ(framework.controllersMade(), 1);

    updater.controller().checkForUpdates(); // a fresh installation: the default channel only
    defaults.setValue(DefaultsKeys::betaChannelEnabled, true);
    updater.controller().checkForUpdates();
    // As `zentropectl update beta off` writes it, behind this process's back.
    writeFileAt(defaults.filePath(), "[General]\nzentrope.updater.betaChannelEnabled=false\n");
    updater.controller().checkForUpdates();
    EXPECT_EQ(framework.lastController()->channelsAllowedAtChecks(),
              (QList<QSet<QString>>{{}, {u"beta"_s}, {}}));
}
