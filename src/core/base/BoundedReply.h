#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class QNetworkReply;

// Follows one network reply to its end under two bounds that Qt's own
// transfer time-out does not give: a total deadline, which no trickle of
// bytes extends (Qt's restarts on every byte, so a server sending one byte a
// second would keep its caller waiting for ever), and a limit on the body.
// The body is taken out of the reply as it arrives and Qt buffers at most a
// chunk, so an endless answer costs no more memory than the limit.
class BoundedReply : public QObject
{
    Q_OBJECT

public:
    struct Bounds
    {
        std::chrono::milliseconds deadline; // from now to the answer's last byte
        qint64 largestBody;                 // in bytes; one more stops the reply
    };

    enum class Stop
    {
        none,           // the reply ended by itself: an answer, or the network's error
        deadlinePassed, // stopped at the deadline
        bodyTooLarge    // stopped when the body outgrew its limit
    };

    // Takes `reply` over; it goes with this object.
    BoundedReply(QNetworkReply* reply, Bounds bounds, QObject* parent = nullptr);

    QNetworkReply& reply() const { return *m_reply; }
    const Bounds& bounds() const { return m_bounds; }
    Stop stop() const { return m_stop; }
    // The body as read so far: all of it once finished() came with stop() none.
    const QByteArray& body() const { return m_body; }
    // Why this stopped the reply, for a message: "No complete answer within
    // 5 s." or "The answer is larger than 1048576 bytes."; empty for none.
    QString stopDescription() const;

    // "5 s", "0.25 s": a duration as a message names it.
    static QString secondsText(std::chrono::milliseconds duration);

Q_SIGNALS:
    // Once, when the reply has ended or been stopped.
    void finished();

private:
    void take();
    void stopWith(Stop stop);
    void end();

    QNetworkReply* m_reply;
    const Bounds m_bounds;
    QTimer m_deadline;
    QByteArray m_body;
    Stop m_stop = Stop::none;
    bool m_ended = false;
};
