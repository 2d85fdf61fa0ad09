#pragma once

#include <cstdint>

// Makes file permissions bind the calling thread even when it runs as root,
// by dropping the capabilities that override them from its effective set
// while this lives. Lets a test see a read-only folder refuse a deletion.
class EnforcedFilePermissions
{
public:
    EnforcedFilePermissions();
    ~EnforcedFilePermissions();
    EnforcedFilePermissions(const EnforcedFilePermissions&) = delete;
    EnforcedFilePermissions& operator=(const EnforcedFilePermissions&) = delete;

private:
    std::uint32_t m_savedEffective = 0;
};
