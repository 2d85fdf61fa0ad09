#pragma once

#include "core/base/Result.h"

#include <QString>

// Where one of a command's two streams goes: the process's standard output
// or standard error, or text a test collects.
class OutputSink
{
public:
    virtual ~OutputSink() = default;
    // Writes `text` whole and at once, so that a reader of a pipe sees each
    // line as it happens; fails saying why it could not.
    virtual Result<Done> write(const QString& text) = 0;
};
