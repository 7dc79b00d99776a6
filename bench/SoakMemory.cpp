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

long long MeasureLogBlockBytes()
{
    const long long before = HeapInUseBytes();
    if (before < 0) return -1;
    // Two logs of one block each: the second one's cost is free of first-use effects.
    SampleLog first, second;
    first.AppendSample(TEngineSample{});
    const long long between = HeapInUseBytes();
    second.AppendSample(TEngineSample{});
    return HeapInUseBytes() - between;
}

long long LogStorageBytes(std::size_t samples, long long blockBytes)
{
    const auto blocks = static_cast<long long>((samples + SampleLog::kBlockNodes - 1) / SampleLog::kBlockNodes);
    return blocks * blockBytes;
}

}  // namespace dp
