#include "FakeApplication.h"

#include "TestBundle.h"
#include "Wait.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

using namespace Qt::StringLiterals;

FakeApplication::FakeApplication(const QString& folder, const QString& name,
                                 const QString& bundleId)
{
    const QString contents = folder + u'/' + name + u".app/Contents"_s;
    m_executable = contents + u"/MacOS/"_s + name;
    QDir().mkpath(contents + u"/MacOS"_s);
    EXPECT_TRUE(QFile::copy(u"/bin/sleep"_s, m_executable));
    QVariantMap info{{u"CFBundleName"_s, name}};
    if (!bundleId.isEmpty())
        info.insert(u"CFBundleIdentifier"_s, bundleId);
    writeFileAt(contents + u"/Info.plist"_s, infoPlistXml(info));
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
