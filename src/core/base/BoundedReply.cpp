#include "core/base/BoundedReply.h"

#include <QNetworkReply>

namespace {

// What Qt may hold of an answer before we take it: one socket read's worth.
constexpr qint64 readBuffer = 64 * 1024;

} // namespace

BoundedReply::BoundedReply(QNetworkReply* reply, Bounds bounds, QObject* parent)
    : QObject(parent)
    , m_reply(reply)
    , m_bounds(bounds)
{
    reply->setParent(this);
    // Qt stops reading the socket while its buffer is full, so a flood waits
    // in the kernel, not in our memory.
    reply->setReadBufferSize(readBuffer);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stopWith(Stop::deadlinePassed); });
    connect(reply, &QIODevice::readyRead, this, &BoundedReply::take);
    connect(reply, &QNetworkReply::finished, this, &BoundedReply::end);
    m_deadline.start(bounds.deadline);
}

QString BoundedReply::stopDescription() const
{
    switch (m_stop) {
    case Stop::none:
        break;
    case Stop::deadlinePassed:
        return QStringLiteral("No complete answer within %1.").arg(secondsText(m_bounds.deadline));
    case Stop::bodyTooLarge:
        return QStringLiteral("The answer is larger than %1 bytes.").arg(m_bounds.largestBody);
    }
    return {};
}

QString BoundedReply::secondsText(std::chrono::milliseconds duration)
{
    return QString::number(double(duration.count()) / 1000.0, 'g', 6) + QStringLiteral(" s");
}

void BoundedReply::take()
{
    if (m_stop != Stop::none)
        return;
    m_body += m_reply->read(m_bounds.largestBody + 1 - m_body.size());
    if (m_body.size() > m_bounds.largestBody)
        stopWith(Stop::bodyTooLarge);
}

void BoundedReply::stopWith(Stop stop)
{
    if (m_stop != Stop::none)
        return;
    m_stop = stop;
    if (!m_ended)
        m_reply->abort(); // ends the reply, and so calls end()
}

void BoundedReply::end()
{
    if (m_ended)
        return;
    m_ended = true;
    take(); // what came with the end
    m_deadline.stop();
    disconnect(m_reply, nullptr, this, nullptr);
    Q_EMIT finished();
}
