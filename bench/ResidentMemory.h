#pragma once
// Resident memory of this process, for the benchmarks' memory figures.

#include <fstream>
#ifdef __linux__
#include <unistd.h>
#endif

namespace dp::bench {

// In bytes, or -1 where /proc is not available.
inline long long ResidentBytes()
{
#ifdef __linux__
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    if (statm >> size >> resident) return resident * sysconf(_SC_PAGESIZE);
#endif
    return -1;
}

}  // namespace dp::bench
