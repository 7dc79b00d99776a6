#pragma once
// Memory figures for the soak run.

#include "log/SampleLog.h"

namespace dp {

// Bytes the C library's allocator has handed out and not taken back; -1 where the
// library cannot tell.
long long HeapInUseBytes();

// What one block of the log's nodes costs the heap, measured: the allocator rounds a
// block up (to whole pages, for a block it maps on its own). -1 where not measurable.
long long MeasureLogBlockBytes();

// What the nodes of a log of this many samples occupy: whole blocks, each costing blockBytes.
long long LogStorageBytes(std::size_t samples, long long blockBytes);

}  // namespace dp
