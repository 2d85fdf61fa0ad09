#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFuture>
#include <QThread>
#include <chrono>
#include <stdexcept>

// The one way tests wait for what no signal announces: polls `condition`
// while processing Qt events until it holds or `timeout` passes; returns its
// final value. It polls every millisecond or so, where QTest::qWaitFor sleeps
// 10 ms between polls: a suite that must see a state before a 50 ms timer
// moves on (a scheduled update check) relies on that.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Processes events until `future` finishes, then returns its result. A
// future that does not finish in time, or is cancelled, fails the test.
template <typename T>
T awaitResult(QFuture<T> future, std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    const bool finished = waitUntil([&] { return future.isFinished(); }, timeout);
    if (!finished || future.isCanceled())
        throw std::runtime_error(finished ? "future cancelled" : "future did not finish");
    return future.result();
}
