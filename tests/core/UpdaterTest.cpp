#include "core/Updater.h"

#include "platform/fake/FakeUpdateFramework.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UpdaterTest : public ::testing::Test
{
protected:
    UserDefaults defaults() const
    {
        return UserDefaults(scratch.filePath(QStringLiteral("d.conf")));
    }

    QTemporaryDir scratch;
    platform::FakeUpdateFramework framework;
};

const QSet<QString> betaOnly{QStringLiteral("beta")};

} // namespace

TEST_F(UpdaterTest, MakesOneStartedControllerWithItsChannelDelegate)
{
    Updater updater(framework, std::make_shared<ChannelDelegate>(defaults()));
    EXPECT_EQ(framework.controllersMade(), 1);
    EXPECT_EQ(&updater.controller(), framework.lastController());
    EXPECT_EQ(framework.lastController()->delegate().get(), &updater.delegate());
}

TEST_F(UpdaterTest, EveryCheckAsksTheDelegateAfresh)
{
    Updater updater(framework, std::make_shared<ChannelDelegate>(defaults()));
    updater.controller().checkForUpdates();
    defaults().setBool(ChannelDelegate::betaChannelEnabledKey, true);
    updater.controller().checkForUpdates();
    EXPECT_EQ(framework.lastController()->channelsAllowedAtChecks(),
              (QList<QSet<QString>>{{}, betaOnly}));
}

TEST_F(UpdaterTest, TheBetaSettingIsReadAgainWhenAnotherProcessChangedIt)
{
    const ChannelDelegate delegate(defaults());
    EXPECT_TRUE(delegate.allowedChannels().isEmpty()); // a fresh installation: default channel only
    // As `zentropectl update beta on` writes it, behind this process's back.
    writeFileAt(defaults().filePath(), "[General]\nzentrope.updater.betaChannelEnabled=true\n");
    EXPECT_EQ(delegate.allowedChannels(), betaOnly);
}
