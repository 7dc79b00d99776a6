#pragma once
// The in-memory sample log: a doubly linked list that recording appends to and the
// viewer walks with its cursor. Nodes live in fixed-size blocks so that they never
// move (the links and the cursor stay valid) and millions of samples cost one
// allocation per block instead of one per sample.

#include "ecu/EngineSample.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace dp {

struct SampleNode {
    TEngineSample Sample;
    SampleNode* Prev = nullptr;
    SampleNode* Next = nullptr;
};

class SampleLog {
public:
    SampleLog() = default;
    ~SampleLog() = default;
    SampleLog(const SampleLog&) = delete;
    SampleLog& operator=(const SampleLog&) = delete;

    // Adds a copy at the end. The cursor lands on the first sample of an empty log
    // and otherwise stays where the viewer left it.
    void AppendSample(const TEngineSample& sample);
    // Releases every node; LogLoaded is left alone.
    void ClearLog();

    SampleNode* Head() { return Head_; }
    SampleNode* Tail() { return Tail_; }
    SampleNode* Cursor() { return Cursor_; }
    const SampleNode* Head() const { return Head_; }
    const SampleNode* Tail() const { return Tail_; }
    const SampleNode* Cursor() const { return Cursor_; }
    // The viewer moves the cursor along the links or to either end; it must be a
    // node of this log, or null only when the log is empty.
    void SetCursor(SampleNode* node) { Cursor_ = node; }

    std::size_t Count() const { return Count_; }
    bool IsEmpty() const { return Count_ == 0; }
    // Changes whenever the log is emptied, so a reader that kept a count of the
    // samples it has seen can tell growth from replacement.
    std::size_t Generation() const { return Generation_; }

    // Set by the load command; the next start of recording clears the log and resets it.
    bool LogLoaded = false;

    static constexpr std::size_t kBlockNodes = 4096;

private:
    struct BlockDeleter {
        void operator()(SampleNode* block) const;
    };
    using Block = std::unique_ptr<SampleNode, BlockDeleter>;

    std::vector<Block> Blocks_;
    std::size_t UsedInLastBlock_ = 0;
    std::size_t Count_ = 0;
    std::size_t Generation_ = 0;
    SampleNode* Head_ = nullptr;
    SampleNode* Tail_ = nullptr;
    SampleNode* Cursor_ = nullptr;
};

}  // namespace dp
