#pragma once

#include "cli/OutputSink.h"

// Writes text as UTF-8 to an open file descriptor (1 and 2 for the process's
// standard output and standard error), unbuffered.
class FileDescriptorSink final : public OutputSink
{
public:
    explicit FileDescriptorSink(int descriptor)
        : m_descriptor(descriptor)
    {}

    Result<Done> write(const QString& text) override;

private:
    const int m_descriptor;
};
