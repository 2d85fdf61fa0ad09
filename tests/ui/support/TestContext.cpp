#include "ui/support/TestContext.h"

#include "support/TestServer.h"
#include "support/Wait.h"

#include <QFile>

using namespace Qt::StringLiterals;

TestContext::TestContext(quint16 daemonPort)
{
    const QByteArray crashFlag = m_scratch.filePath(u"crash"_s).toUtf8();
    bundle.installFakeDaemon("if [ -f '" + crashFlag + "' ]; then exit 3; fi\nexec sleep 300\n");
    ApplicationContext::DaemonSettings daemon;
    daemon.logDirectory = m_scratch.filePath(u"Logs/Zentrope"_s);
    daemon.port = daemonPort != 0 ? daemonPort : closedLocalPort();
    m_context = std::make_unique<ApplicationContext>(
        fakes.services(), UserDefaults(m_scratch.filePath(u"defaults.conf"_s)), bundle.bundle(),
        daemon);
}

TestContext::~TestContext() = default;

void TestContext::setCrashing(bool crashing)
{
    const QString flag = m_scratch.filePath(u"crash"_s);
    if (crashing)
        writeFileAt(flag, "");
    else
        QFile::remove(flag);
}

bool TestContext::startAndSettle()
{
    const bool crashing = QFile::exists(m_scratch.filePath(u"crash"_s));
    manager().start();
    using Kind = DaemonManager::Status::Kind;
    const Kind expected = crashing ? Kind::crashed : Kind::running;
    return waitUntil([&] { return manager().status().kind() == expected; });
}
