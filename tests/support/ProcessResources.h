#pragma once

#include <QString>

// What this process holds, read from /proc: for soak tests that must end
// holding what they started with.
struct ProcessResources
{
    int descriptors = 0;
    int threads = 0;
    int children = 0; // processes whose parent we are, zombies included
    int zombies = 0;
    qint64 residentKiB = 0;

    static ProcessResources now();
    // "descriptors +0, threads +0, children 0 (0 zombies), RSS +1234 KiB"
    QString deltaFrom(const ProcessResources& before) const;
};
