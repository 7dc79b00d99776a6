#pragma once
// Finds the frames of a unit's continuous stream in the bytes as they arrive. A frame
// is 0xFF, its length byte and the payload; frames follow each other back to back.
// A frame counts only once the next frame's start (0xFF and the same length) follows
// it, so a 0xFF inside the data, or a run of bytes lost from an overflowing input
// buffer, never shifts the decoding: the finder then searches for the next start that
// the following frame confirms.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dp {

class StreamFrameFinder {
public:
    explicit StreamFrameFinder(int payloadLength);

    // A new stream: nothing is known about where frames begin.
    void reset();
    // Takes bytes in arrival order; any split of the same bytes gives the same frames.
    void feed(const uint8_t* data, std::size_t count);

    // Whether a frame was confirmed since the last takeFrame().
    bool hasNewFrame() const { return newFrame_; }
    // The payload of the newest confirmed frame; clears hasNewFrame().
    const uint8_t* takeFrame();
    // The unit's end mark 0xCF where the next frame would have begun.
    bool endMarkSeen() const { return endMark_; }

    int payloadLength() const { return length_; }
    long framesFound() const { return frames_; }
    // Times the expected next frame was not there and the search began again.
    long resyncs() const { return resyncs_; }

private:
    bool startsFrame(std::size_t at) const;
    void scan();

    int length_;
    std::size_t frameBytes_;
    std::vector<uint8_t> pending_;  // bytes not yet passed over, from a frame start when aligned
    bool aligned_ = false;
    bool newFrame_ = false;
    bool endMark_ = false;
    std::array<uint8_t, 255> newest_{};
    long frames_ = 0;
    long resyncs_ = 0;
};

}  // namespace dp
