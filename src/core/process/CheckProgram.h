#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

// A program that answers a yes/no question by its exit status, such as
// openssl checking a certificate, run through CapturedProcess::runWithin:
// its output is dropped and it reads nothing. A program that cannot be
// started, fails, or is still running when the bound has passed answers no;
// in the last case it is killed, so a hung check cannot freeze its caller.
class CheckProgram
{
public:
    static constexpr std::chrono::milliseconds defaultBound{10000};

    explicit CheckProgram(QString program, std::chrono::milliseconds bound = defaultBound);

    // "/usr/bin/openssl", which the certificate checks run.
    static CheckProgram openssl(std::chrono::milliseconds bound = defaultBound);

    const QString& program() const { return m_program; }
    std::chrono::milliseconds bound() const { return m_bound; }

    // Runs the program to its end on the caller's thread: true exactly when
    // it exits with status 0 within the bound.
    bool run(const QStringList& arguments) const;

private:
    QString m_program;
    std::chrono::milliseconds m_bound;
};
