#include "core/api/DaemonAPI.h"

#include "core/base/Bundle.h"
#include "core/daemon/DaemonLocator.h"
#include "support/Printers.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Serves = TestServer::Serves;

const DaemonAPI::Status standInStatus{
    true, QStringLiteral("1.0.0"), 0, {QStringLiteral("unknown"), QStringLiteral("unknown"), {}}};

Result<DaemonAPI::Status, DaemonAPI::Error> statusFrom(quint16 port)
{
    DaemonChannel channel(port, {TestCertificates::shared().caCertificate()});
    return awaitResult(DaemonAPI::status(channel));
}

} // namespace

TEST(DaemonAPI, AValidStatusDecodesWhateverTheHttpStatus)
{
    TestServer server(Serves::https);
    server.setAnswer(503, R"({"ok": false, "version": "2.0", "activeSessions": 7,
        "permissions": {"prismAutomation": "denied", "systemEventsAutomation": "granted",
                        "accessibility": "restricted"}})");
    const auto status = statusFrom(server.port());
    ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
    EXPECT_FALSE(status.value().ok);
    EXPECT_EQ(status.value().activeSessions, 7);
    EXPECT_EQ(status.value().permissions.accessibility, QStringLiteral("restricted"));

    server.setAnswer(200, {});
    EXPECT_FALSE(statusFrom(server.port()).ok()) << "an empty 200 answer";
}

TEST(DaemonAPI, ReadsTheStandInDaemonWithoutItsCertificateOverPlainHttp)
{
    QTemporaryDir home; // holds no certificate, so the daemon serves plain HTTP
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("ZENTROPE_DAEMON_PORT"), QStringLiteral("0"));
    QProcess daemon;
    daemon.setProcessEnvironment(environment);
    const auto files = DaemonLocator(Bundle(QStringLiteral(ZENTROPE_APP_DIR))).locate();
    daemon.start(files ? files.value().nodeBinary : QString(),
                 {files ? files.value().entryScript : QString()});
    ASSERT_TRUE(waitUntil([&] { return daemon.canReadLine(); }, std::chrono::seconds(20)));
    const QByteArray line = daemon.readLine().trimmed(); // "… listening on http://127.0.0.1:PORT"

    const auto status = statusFrom(line.mid(line.lastIndexOf(':') + 1).toUShort());
    ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
    EXPECT_EQ(status.value(), standInStatus);
    daemon.terminate();
    EXPECT_TRUE(daemon.waitForFinished(5000));
}
