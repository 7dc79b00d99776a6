#include "ecu/StreamFrames.h"

#include <algorithm>

namespace dp {
namespace {

constexpr uint8_t kFrameStart = 0xFF;
constexpr uint8_t kEndMark = 0xCF;

}  // namespace

StreamFrameFinder::StreamFrameFinder(int payloadLength)
    : length_(std::clamp(payloadLength, 0, 255)), frameBytes_(std::size_t(length_) + 2)
{
    pending_.reserve(4 * frameBytes_);
}

void StreamFrameFinder::reset()
{
    pending_.clear();
    aligned_ = newFrame_ = endMark_ = false;
}

const uint8_t* StreamFrameFinder::takeFrame()
{
    newFrame_ = false;
    return newest_.data();
}

void StreamFrameFinder::feed(const uint8_t* data, std::size_t count)
{
    if (endMark_ || count == 0) return;  // the stream is over; what follows is no frame
    pending_.insert(pending_.end(), data, data + count);
    scan();
}

// A frame start at `at` whose successor's start is already there.
bool StreamFrameFinder::startsFrame(std::size_t at) const
{
    const std::size_t next = at + frameBytes_;
    return next + 1 < pending_.size() && pending_[at] == kFrameStart && pending_[at + 1] == length_ &&
           pending_[next] == kFrameStart && pending_[next + 1] == length_;
}

void StreamFrameFinder::scan()
{
    std::size_t pos = 0;
    const std::size_t size = pending_.size();
    auto loseAlignment = [&] {  // bytes lost, or a false start: search again past it
        aligned_ = false;
        ++resyncs_;
        ++pos;
    };
    while (pos < size && !endMark_) {
        if (!aligned_) {
            // Searching: the first start that the following frame confirms.
            const bool maybeStart = pending_[pos] == kFrameStart && (pos + 1 >= size || pending_[pos + 1] == length_);
            if (!maybeStart) {
                ++pos;
            } else if (pos + frameBytes_ + 1 >= size) {
                break;  // cannot tell yet
            } else if (startsFrame(pos)) {
                aligned_ = true;
            } else {
                ++pos;
            }
            continue;
        }
        // Aligned: a frame must begin here, or the stream must end.
        if (pending_[pos] == kEndMark) {
            endMark_ = true;
            break;
        }
        if (pending_[pos] != kFrameStart) {
            loseAlignment();
            continue;
        }
        if (pos + 1 >= size) break;
        if (pending_[pos + 1] != length_) {
            loseAlignment();
            continue;
        }
        const std::size_t next = pos + frameBytes_;
        if (next >= size) break;  // the frame is still arriving
        const bool last = pending_[next] == kEndMark;
        if (!last && pending_[next] != kFrameStart) {
            loseAlignment();
            continue;
        }
        if (!last && next + 1 >= size) break;  // the next start's length byte is still due
        if (!last && pending_[next + 1] != length_) {
            loseAlignment();
            continue;
        }
        std::copy_n(pending_.begin() + std::ptrdiff_t(pos + 2), length_, newest_.begin());
        newFrame_ = true;
        ++frames_;
        pos = next;
    }
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(std::min(pos, size)));
}

}  // namespace dp
