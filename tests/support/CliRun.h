#pragma once

#include <QString>

// What one zentropectl command ended with and printed.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};
