#include "core/context/ApplicationContext.h"

#include "platform/fake/FakeServices.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ApplicationContextTest : public ::testing::Test
{
protected:
    std::unique_ptr<ApplicationContext> makeContext()
    {
        return std::make_unique<ApplicationContext>(
            fakes.services(), UserDefaults(scratch.filePath(u"defaults.conf"_s)), bundle.bundle(),
            ApplicationContext::DaemonSettings{logs(), 1, {}});
    }
    QString logs() const { return scratch.filePath(u"Logs/Zentrope"_s); }

    platform::FakeServices fakes;
    TestBundle bundle;
    QTemporaryDir scratch;
};

} // namespace

TEST_F(ApplicationContextTest, MakesNothingUntilAskedThenAlwaysTheSameOne)
{
    auto context = makeContext();
    EXPECT_EQ(fakes.updateFramework->controllersMade(), 0); // no scheduled checks yet
    EXPECT_FALSE(QDir(logs()).exists()) << "no supervisor yet";
    EXPECT_EQ(context->logDirectory(), logs());

    EXPECT_EQ(&context->updater(), &context->updater());
    EXPECT_EQ(fakes.updateFramework->controllersMade(), 1);
    EXPECT_EQ(&context->daemonChannel(), &context->daemonChannel());
    EXPECT_EQ(context->daemonChannel().port(), 1);
    EXPECT_EQ(&context->daemonManager(), &context->daemonManager());
    EXPECT_EQ(context->daemonManager().logDirectoryPath(), logs());
    EXPECT_TRUE(QDir(logs()).exists());
}

TEST_F(ApplicationContextTest, GoingStopsTheDaemonAndWaitsForItsLastWords)
{
    bundle.installFakeDaemon("trap 'echo stopped cleanly; exit 0' TERM\necho ready\n"
                             "while :; do sleep 0.05; done\n");
    auto context = makeContext();
    context->updater();
    context->daemonManager().start();
    const qint32 pid = context->daemonManager().status().pid();
    const QString log = logs() + u"/daemon.log"_s;
    ASSERT_TRUE(waitUntil([&] { return readFileAt(log) == "ready\n"; }));
    context.reset();
    EXPECT_EQ(readFileAt(log), "ready\nstopped cleanly\n");
    EXPECT_FALSE(QFile::exists(u"/proc/%1"_s.arg(pid)));
}
