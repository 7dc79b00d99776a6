#pragma once
// A scripted port whose unit answers every write with the next chunk of a byte script,
// and which keeps every byte the program read. Fuzz targets feed it arbitrary input.
//
// Script, one chunk per write: a byte d (the answer starts d ms after the write), a byte
// p (the bytes follow each other p * 10 µs apart), a byte n, then n bytes. A script that
// runs out leaves the unit silent.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "support/ScriptedPort.h"

namespace dp::test {

class ChunkedReplyPort : public ScriptedPort {
public:
    ChunkedReplyPort(const uint8_t* script, std::size_t size) : script_(script), size_(size)
    {
        onWrite = [this](ScriptedPort&, const Bytes&) { answerNextChunk(); };
    }

    // Every byte a read returned, in order.
    Bytes consumed;
    std::size_t scriptBytesSent = 0;

    bool readByte(uint8_t& byte) override
    {
        if (!ScriptedPort::readByte(byte)) return false;
        consumed.push_back(byte);
        return true;
    }

private:
    uint8_t next() { return at_ < size_ ? script_[at_++] : 0; }

    void answerNextChunk()
    {
        if (at_ >= size_) return;
        const int64_t delayUs = int64_t(next()) * 1000;
        const int64_t byteUs = int64_t(next()) * 10;
        const std::size_t n = next();
        Bytes chunk(script_ + at_, script_ + at_ + std::min(n, size_ - at_));
        at_ += chunk.size();
        // Arrivals stay in time order even when an answer is still arriving.
        const int64_t start = std::max(nowUs + delayUs, lastArrivalUs_);
        arrive(start, chunk, byteUs);
        if (!chunk.empty()) lastArrivalUs_ = start + int64_t(chunk.size() - 1) * byteUs;
        scriptBytesSent += chunk.size();
    }

    const uint8_t* script_;
    std::size_t size_;
    std::size_t at_ = 0;
    int64_t lastArrivalUs_ = 0;
};

}  // namespace dp::test
