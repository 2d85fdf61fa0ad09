#pragma once

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <utility>

// Files this process (and the children it starts) writes may grow to
// `bytes`, as on a file system that is full, until the guard goes or lift()
// is called. A writer that does not block SIGXFSZ dies of it, unless
// `overrun` says the signal is ignored for the while, as a program that
// wants to hear EFBIG does.
class FileSizeLimit
{
public:
    enum class Overrun
    {
        signalled,
        failsTheWrite
    };

    explicit FileSizeLimit(rlim_t bytes, Overrun overrun = Overrun::signalled)
    {
        if (overrun == Overrun::failsTheWrite)
            m_originalAction = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_original);
        const rlimit limited{bytes, m_original.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    void lift()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_original);
        if (m_originalAction != SIG_ERR)
            std::signal(SIGXFSZ, std::exchange(m_originalAction, SIG_ERR));
    }

private:
    rlimit m_original{};
    void (*m_originalAction)(int) = SIG_ERR;
};
