#include "SoakMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace dp {

long long HeapInUseBytes()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);  // small blocks and mapped ones
#else
    return -1;
#endif
}

long long LogStorageBytes(const SampleLog& log)
{
    const std::size_t blocks = (log.Count() + SampleLog::kBlockNodes - 1) / SampleLog::kBlockNodes;
    return static_cast<long long>(blocks * SampleLog::kBlockNodes * sizeof(SampleNode));
}

}  // namespace dp
