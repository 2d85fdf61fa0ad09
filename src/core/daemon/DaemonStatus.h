#pragma once

#include <QMetaType>
#include <QString>
#include <sys/types.h>

// The daemon's state as the user sees it.
class DaemonStatus
{
public:
    enum class Kind
    {
        running,
        crashed,
        stopped,
        starting
    };

    static DaemonStatus running(qint32 pid) { return {Kind::running, pid}; }
    // exitCode -1 marks a daemon that could not be launched at all.
    static DaemonStatus crashed(qint32 exitCode) { return {Kind::crashed, exitCode}; }
    static DaemonStatus stopped() { return {Kind::stopped, 0}; }
    static DaemonStatus starting() { return {Kind::starting, 0}; }

    DaemonStatus() = default;

    Kind kind() const { return m_kind; }
    bool isRunning() const { return m_kind == Kind::running; }
    qint32 pid() const { return m_kind == Kind::running ? m_payload : 0; }
    qint32 exitCode() const { return m_kind == Kind::crashed ? m_payload : 0; }
    QString label() const;

    friend bool operator==(const DaemonStatus&, const DaemonStatus&) = default;

private:
    DaemonStatus(Kind kind, qint32 payload)
        : m_kind(kind)
        , m_payload(payload)
    {}

    Kind m_kind = Kind::stopped;
    qint32 m_payload = 0;
};

Q_DECLARE_METATYPE(DaemonStatus)
