#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <chrono>

class QTcpSocket;

// An HTTP server on an ephemeral port of 127.0.0.1 that counts what reaches
// it, so tests see attempts from the server's side. It tells TLS from plain
// connections by their first byte, so one port can play a daemon serving
// HTTPS, plain HTTP, both, or one that accepts and never answers. Like the
// daemon's Node servers, a plain server answers a TLS hello with 400 and a
// TLS server hangs up on plain HTTP.
class TestServer : public QTcpServer
{
    Q_OBJECT

public:
    enum class Serves
    {
        plainHttp,
        https, // with TestCertificates' server certificate
        both,
        nothing // accepts, reads nothing, never answers
    };

    struct Request
    {
        bool overTls = false;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    explicit TestServer(Serves serves);

    quint16 port() const { return serverPort(); }
    // What every request gets (at first: 200 with "{}").
    // `extraHeaders` are whole lines, each ending in \r\n.
    void setAnswer(int status, const QByteArray& body,
                   const QByteArray& contentType = "application/json",
                   const QByteArray& extraHeaders = {});

    // How the answer's body goes out: whole; one byte per `interval` of a body
    // of 100,000 bytes (a time-out that restarts on every byte never fires);
    // or endless 64 KiB chunks, as fast as the client takes them.
    void setTrickle(std::chrono::milliseconds interval) { m_trickle = interval; }
    void setEndless(bool endless) { m_endless = endless; }
    // Bytes of endless answers written so far, and the connections that
    // carried one and are closed now (the client stopped reading).
    qint64 endlessBytesSent() const { return m_endlessBytes; }
    int endlessClosed() const { return m_endlessClosed; }

    // While holding, requests are taken in but answered only by releaseHeld().
    void setHolding(bool holding) { m_holding = holding; }
    void releaseHeld();

    int connections() const { return m_connections; }
    int tlsConnections() const { return m_tlsConnections; }
    int plainConnections() const { return m_plainConnections; }
    const QList<Request>& requests() const { return m_requests; }

Q_SIGNALS:
    void requestReceived();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void adopt(qintptr descriptor, bool tlsHello);
    void readRequest(QTcpSocket* socket, bool overTls);
    void respond(QTcpSocket* socket, const QByteArray& head, const QByteArray& body);
    void trickle(QTcpSocket* socket, const QByteArray& head);
    void flood(QTcpSocket* socket, const QByteArray& head);

    const Serves m_serves;
    QByteArray m_answerHead; // status line and headers but Content-Length
    QByteArray m_answerBody;
    int m_connections = 0;
    int m_tlsConnections = 0;
    int m_plainConnections = 0;
    QList<Request> m_requests;
    bool m_holding = false;
    std::chrono::milliseconds m_trickle{0};
    bool m_endless = false;
    qint64 m_endlessBytes = 0;
    int m_endlessClosed = 0;
    QList<QPointer<QTcpSocket>> m_held;
};

// A port of 127.0.0.1 where nothing listens: one just let go of.
quint16 closedLocalPort();
