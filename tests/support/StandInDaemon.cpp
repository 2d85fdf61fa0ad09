#include "StandInDaemon.h"

#include "TestCertificates.h"
#include "core/Bundle.h"
#include "core/DaemonLocator.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

StandInDaemon::StandInDaemon(bool tls)
{
    if (tls) {
        const QString certs = m_home.filePath(QStringLiteral(".zentrope/certs"));
        QDir().mkpath(certs);
        QFile::copy(TestCertificates::shared().serverCertificatePath(),
                    certs + QStringLiteral("/localhost.crt"));
        QFile::copy(TestCertificates::shared().serverKeyPath(),
                    certs + QStringLiteral("/localhost.key"));
    }
    const DaemonLocator locator(Bundle(QStringLiteral(ZENTROPE_APP_DIR)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("ZENTROPE_DAEMON_PORT"), QStringLiteral("0"));
    m_process.setProcessEnvironment(environment);
    m_process.start(locator.nodeBinary().value_or(QString()),
                    {locator.entryScript().value_or(QString())});

    // "Zentrope daemon 1.0.0 listening on http(s)://127.0.0.1:PORT"
    QDeadlineTimer deadline(std::chrono::seconds(20));
    while (!m_process.canReadLine() && m_process.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    const QByteArray line = m_process.readLine().trimmed();
    m_port = line.mid(line.lastIndexOf(':') + 1).toUShort();
    EXPECT_NE(m_port, 0) << "no port in: " << line.toStdString()
                         << m_process.readAllStandardError().toStdString();
    EXPECT_TRUE(line.contains(tls ? "https://" : "http://")) << line.toStdString();
}

StandInDaemon::~StandInDaemon()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished();
}
