#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the main thread (self-pipe),
// so that a command or the application can shut down in order instead of
// dying mid-way.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void interrupted(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
