#include "core/process/CheckProgram.h"

#include "core/process/CapturedProcess.h"

CheckProgram::CheckProgram(QString program, std::chrono::milliseconds bound)
    : m_program(std::move(program))
    , m_bound(bound)
{}

CheckProgram CheckProgram::openssl(std::chrono::milliseconds bound)
{
    return CheckProgram(QStringLiteral("/usr/bin/openssl"), bound);
}

bool CheckProgram::run(const QStringList& arguments) const
{
    const auto ran = CapturedProcess::runWithin(m_program, arguments, m_bound,
                                                CapturedProcess::Capture::nothing);
    if (!ran)
        return false;
    const ChildProcess::Termination& end = ran.value().termination;
    return !ran.value().timedOut && !end.bySignal && end.status == 0;
}
