#pragma once

#include <QFuture>
#include <QTest>
#include <chrono>
#include <stdexcept>

// QTest::qWaitFor with a default deadline of 10 seconds: polls `condition`
// while processing Qt events until it holds or `timeout` passes; returns its
// final value. For things no signal announces.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    return QTest::qWaitFor(condition, int(timeout.count()));
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
