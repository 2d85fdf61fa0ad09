#pragma once

#include <QString>

// What one zentropectl command ended with and printed.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The whole of `run` in one string, "code|out|err", to compare at once.
inline QString outcome(const CliRun& run)
{
    return QString::number(run.exitCode) + u'|' + run.out + u'|' + run.err;
}
