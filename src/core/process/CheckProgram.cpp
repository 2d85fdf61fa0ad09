#include "core/process/CheckProgram.h"

#include <QProcess>

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
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(m_program, arguments);
    // Also answers false, at once, when the program cannot be started.
    if (!process.waitForFinished(int(m_bound.count()))) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(-1);
        }
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
