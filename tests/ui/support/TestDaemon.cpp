#include "ui/support/TestDaemon.h"

#include "support/Wait.h"

#include <QFile>

TestDaemon::TestDaemon()
{
    const QByteArray crashFlag = m_scratch.filePath(QStringLiteral("crash")).toUtf8();
    m_bundle.installFakeDaemon("if [ -f '" + crashFlag + "' ]; then exit 3; fi\nexec sleep 300\n");
    m_manager = std::make_unique<DaemonManager>(
        m_bundle.bundle(), m_scratch.filePath(QStringLiteral("Logs/Zentrope")));
}

void TestDaemon::setCrashing(bool crashing)
{
    const QString flag = m_scratch.filePath(QStringLiteral("crash"));
    if (crashing)
        writeFileAt(flag, "");
    else
        QFile::remove(flag);
}

bool TestDaemon::startAndSettle()
{
    const bool crashing = QFile::exists(m_scratch.filePath(QStringLiteral("crash")));
    m_manager->start();
    using Kind = DaemonManager::Status::Kind;
    const Kind expected = crashing ? Kind::crashed : Kind::running;
    return waitUntil([&] { return m_manager->status().kind() == expected; });
}
