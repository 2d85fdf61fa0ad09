#pragma once

#include <QList>
#include <QTcpServer>
#include <functional>

// A daemon on an ephemeral port of 127.0.0.1 that behaves differently on
// each connection, as `choose` says, over TLS (with TestCertificates' server
// certificate) or plain HTTP, whichever the client speaks. Connections are
// closed after one answer, so each request gets a connection of its own.
class FlappingServer : public QTcpServer
{
    Q_OBJECT

public:
    enum class Behaviour
    {
        reset,   // accepts, then resets the connection
        stall,   // accepts, reads, never answers
        garbage, // answers bytes that are neither TLS nor HTTP
        badJson, // answers 200 with a body that is not the status
        valid,   // answers 200 with a good status
    };

    explicit FlappingServer(std::function<Behaviour()> choose);

    quint16 port() const { return serverPort(); }
    // One per connection accepted, in order.
    const QList<Behaviour>& behaviours() const { return m_behaviours; }
    // One per HTTP answer written (badJson, valid), in order: a connection
    // Qt opened earlier on its own may carry a later request.
    const QList<Behaviour>& answers() const { return m_answers; }

    // Stalled connections the client has not closed yet: Qt may send a
    // later request on one that it opened on its own.
    int openStalls() const { return m_openStalls; }

    static const char* name(Behaviour behaviour);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void serve(qintptr descriptor, Behaviour behaviour, bool tlsHello);

    std::function<Behaviour()> m_choose;
    QList<Behaviour> m_behaviours;
    QList<Behaviour> m_answers;
    int m_openStalls = 0;
};
