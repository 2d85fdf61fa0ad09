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
    // What the allocator has handed out and not had back: unlike RSS, it
    // does not count the free memory an allocator keeps, so a leak shows
    // in it and fragmentation does not.
    qint64 heapInUseKiB = 0;

    static ProcessResources now();
    // Whether RSS tells anything here: AddressSanitizer keeps freed memory in
    // quarantine, so under it RSS grows with every allocation.
#ifdef __SANITIZE_ADDRESS__
    static constexpr bool residentSizeIsTelling = false;
#else
    static constexpr bool residentSizeIsTelling = true;
#endif
    // "descriptors +0, threads +0, children 0 (0 zombies), RSS +1234 KiB,
    // heap in use +12 KiB"
    QString deltaFrom(const ProcessResources& before) const;
};
