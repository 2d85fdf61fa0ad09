#include "ui/support/TestContext.h"

#include "support/TestServer.h"
#include "support/Wait.h"

#include <QFile>

TestContext::TestContext(quint16 daemonPort)
{
    const QByteArray crashFlag = m_scratch.filePath(QStringLiteral("crash")).toUtf8();
    bundle.installFakeDaemon("if [ -f '" + crashFlag + "' ]; then exit 3; fi\nexec sleep 300\n");
    ApplicationContext::DaemonSettings daemon;
    daemon.logDirectory = m_scratch.filePath(QStringLiteral("Logs/Zentrope"));
    daemon.port = daemonPort != 0 ? daemonPort : closedLocalPort();
    m_context = std::make_unique<ApplicationContext>(
        fakes.services(), UserDefaults(m_scratch.filePath(QStringLiteral("defaults.conf"))),
        bundle.bundle(), daemon);
}

TestContext::~TestContext() = default;

void TestContext::setCrashing(bool crashing)
{
    const QString flag = m_scratch.filePath(QStringLiteral("crash"));
    if (crashing)
        writeFileAt(flag, "");
    else
        QFile::remove(flag);
}

bool TestContext::startAndSettle()
{
    const bool crashing = QFile::exists(m_scratch.filePath(QStringLiteral("crash")));
    manager().start();
    using Kind = DaemonManager::Status::Kind;
    const Kind expected = crashing ? Kind::crashed : Kind::running;
    return waitUntil([&] { return manager().status().kind() == expected; });
}
