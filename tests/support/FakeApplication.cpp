#include "FakeApplication.h"

#include "TestBundle.h"
#include "Wait.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

FakeApplication::FakeApplication(const QString& folder, const QString& name,
                                 const QString& bundleId)
{
    const QString contents = folder + u'/' + name + QStringLiteral(".app/Contents");
    m_executable = contents + QStringLiteral("/MacOS/") + name;
    QDir().mkpath(contents + QStringLiteral("/MacOS"));
    EXPECT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), m_executable));
    QVariantMap info{{QStringLiteral("CFBundleName"), name}};
    if (!bundleId.isEmpty())
        info.insert(QStringLiteral("CFBundleIdentifier"), bundleId);
    writeFileAt(contents + QStringLiteral("/Info.plist"), infoPlistXml(info));
}

FakeApplication::~FakeApplication()
{
    kill();
    waitForEndingSignal();
}

bool FakeApplication::start()
{
    const QByteArray program = QFile::encodeName(m_executable);
    char duration[] = "600";
    char* const argv[] = {const_cast<char*>(program.constData()), duration, nullptr};
    return ::posix_spawn(&m_pid, program.constData(), nullptr, nullptr, argv, environ) == 0;
}

void FakeApplication::kill()
{
    if (m_pid > 0 && m_endingSignal < 0)
        ::kill(m_pid, SIGKILL);
}

int FakeApplication::waitForEndingSignal(std::chrono::milliseconds timeout)
{
    int status = 0;
    if (m_pid <= 0 || m_endingSignal >= 0 ||
        !waitUntil([&] { return ::waitpid(m_pid, &status, WNOHANG) == m_pid; }, timeout))
        return m_endingSignal;
    m_endingSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return m_endingSignal;
}
