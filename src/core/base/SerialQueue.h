#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// A named worker thread that runs posted jobs one at a time, in posting order.
// Destruction runs the jobs already posted, then joins the thread.
class SerialQueue
{
public:
    explicit SerialQueue(std::string name);
    ~SerialQueue();

    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& name() const { return m_name; }

    void post(std::function<void()> job);
    // Blocks until every job posted before this call has run.
    void drain();

private:
    void run();

    std::string m_name;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};
