#include "log/SampleLog.h"

#include <type_traits>

namespace dp {

// Blocks are raw storage; nodes are built in place and, being trivially
// destructible, need no destructor call when the block goes.
static_assert(std::is_trivially_destructible_v<SampleNode>);

void SampleLog::BlockDeleter::operator()(SampleNode* block) const
{
    std::allocator<SampleNode>().deallocate(block, kBlockNodes);
}

void SampleLog::AppendSample(const TEngineSample& sample)
{
    if (Blocks_.empty() || UsedInLastBlock_ == kBlockNodes) {
        // Owned before the list grows, so that running out of memory there leaks nothing.
        Block block(std::allocator<SampleNode>().allocate(kBlockNodes));
        Blocks_.push_back(std::move(block));
        UsedInLastBlock_ = 0;
    }
    SampleNode* node = std::construct_at(Blocks_.back().get() + UsedInLastBlock_,
                                         SampleNode{sample, Tail_, nullptr});
    ++UsedInLastBlock_;
    ++Count_;
    if (Head_ == nullptr) {
        Head_ = node;
        Cursor_ = node;
    } else {
        Tail_->Next = node;
    }
    Tail_ = node;
}

void SampleLog::ClearLog()
{
    std::vector<Block>().swap(Blocks_);
    UsedInLastBlock_ = 0;
    Count_ = 0;
    ++Generation_;
    Head_ = Tail_ = Cursor_ = nullptr;
}

}  // namespace dp
