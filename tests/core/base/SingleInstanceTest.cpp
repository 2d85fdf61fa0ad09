#include "core/base/SingleInstance.h"

#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QLocalServer>
#include <QTemporaryDir>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using Role = SingleInstance::Role;
using namespace std::chrono_literals;

namespace {

// A later launch, on a thread of its own while this one answers.
Result<Role> launchBeside(const QString& folder, std::chrono::milliseconds timeout)
{
    auto later = std::async(std::launch::async, [folder, timeout] {
        SingleInstance instance(folder);
        return instance.claim(timeout);
    });
    waitUntil([&] { return later.wait_for(0s) == std::future_status::ready; });
    return later.get();
}

} // namespace

TEST(SingleInstance, ALaterLaunchAsksTheFirstToShowItsWindow)
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    int shown = 0;
    QObject::connect(&first, &SingleInstance::showRequested, [&] { ++shown; });
    const auto claimed = first.claim();
    ASSERT_TRUE(claimed.ok()) << claimed.error().description.toStdString();
    EXPECT_EQ(claimed.value(), Role::first);
    const Result<Role> later = launchBeside(folder.path(), 5s);
    ASSERT_TRUE(later.ok()) << later.error().description.toStdString();
    EXPECT_EQ(later.value(), Role::forwarded);
    EXPECT_TRUE(waitUntil([&] { return shown == 1; }));
}

TEST(SingleInstance, ADeadInstancesSocketFileDoesNotStopTheNextOne)
{
    QTemporaryDir folder;
    writeFileAt(folder.filePath(SingleInstance::socketName()), "left by a killed instance");
    SingleInstance next(folder.path());
    const auto claimed = next.claim();
    ASSERT_TRUE(claimed.ok()) << claimed.error().description.toStdString();
    EXPECT_EQ(claimed.value(), Role::first);
}

TEST(SingleInstance, AnInstanceThatHoldsTheLockButNeverAnswersIsAnError)
{
    QTemporaryDir folder;
    const QByteArray lock =
        QFile::encodeName(folder.filePath(u"zentrope-%1.lock"_s.arg(::getuid())));
    const int held = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    QLocalServer silent; // accepts, then never answers
    ASSERT_TRUE(silent.listen(folder.filePath(SingleInstance::socketName())));

    const Result<Role> later = launchBeside(folder.path(), 300ms);
    ASSERT_FALSE(later.ok());
    EXPECT_EQ(later.error().description, u"Zentrope is already running but did not answer."_s);
    ::close(held);
}
