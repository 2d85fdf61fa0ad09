#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP (the terminal closed, the session ended)
// into a Qt signal on the main thread (self-pipe), so that a command or the
// application can shut down in order, stopping the daemon, instead of dying
// mid-way.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    // For main(), once: a reader that went away (`| head`) or a file-size
    // limit reached makes writes fail (EPIPE, EFBIG), to be reported, instead
    // of killing us before the daemon is stopped. Children get the defaults
    // back (ChildLaunch).
    static void ignoreSignalsOfFailedWrites();

Q_SIGNALS:
    void interrupted(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
