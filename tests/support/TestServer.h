#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>

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
        QByteArray method;
        QByteArray target;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    struct Answer
    {
        Answer(int code = 200, QByteArray content = {}, QByteArray type = "application/json",
               QByteArray headerLines = {})
            : status(code)
            , body(std::move(content))
            , contentType(std::move(type))
            , extraHeaders(std::move(headerLines))
        {}

        int status;
        QByteArray body;
        QByteArray contentType;
        QByteArray extraHeaders; // whole lines, each ending in \r\n
    };

    explicit TestServer(Serves serves);
    TestServer(Serves serves, Answer answer);

    quint16 port() const { return serverPort(); }
    void setAnswer(Answer answer) { m_answer = std::move(answer); }

    int connections() const { return m_connections; }
    int tlsConnections() const { return m_tlsConnections; }
    int plainConnections() const { return m_plainConnections; }
    const QList<Request>& requests() const { return m_requests; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void adopt(qintptr descriptor, bool tlsHello);
    void readRequest(QTcpSocket* socket, bool overTls);
    void respond(QTcpSocket* socket, int status, const QByteArray& extra, const QByteArray& body);

    const Serves m_serves;
    Answer m_answer;
    int m_connections = 0;
    int m_tlsConnections = 0;
    int m_plainConnections = 0;
    QList<Request> m_requests;
};
