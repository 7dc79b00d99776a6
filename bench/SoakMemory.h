#pragma once
// Memory figures for the soak run.

#include "log/SampleLog.h"

namespace dp {

// Bytes the C library's allocator has handed out and not taken back; -1 where the
// library cannot tell.
long long HeapInUseBytes();

// What the log's nodes occupy: whole blocks of nodes.
long long LogStorageBytes(const SampleLog& log);

}  // namespace dp
