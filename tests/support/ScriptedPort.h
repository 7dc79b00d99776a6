#pragma once
// A serial port whose incoming bytes arrive at scripted times on a manual clock.
// Writes are recorded; a responder may script the answer to each write.

#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "ecu/SerialPort.h"

namespace dp::test {

using Bytes = std::vector<uint8_t>;

class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(bool open = true) : open_(open) {}

    int64_t nowUs = 0;
    std::vector<Bytes> writes;
    int readCalls = 0;
    int64_t waitedUs = 0;
    bool failReads = false;  // the adapter was pulled out
    bool failOpen = false;   // no such port
    int opens = 0;
    std::function<void(ScriptedPort&, const Bytes&)> onWrite;

    // Bytes arriving one per byteUs, the first at atUs.
    void arrive(int64_t atUs, const Bytes& bytes, int64_t byteUs = 0)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) pending_.push_back({atUs + int64_t(i) * byteUs, bytes[i]});
    }
    void arriveNow(const Bytes& bytes) { arrive(nowUs, bytes); }
    std::size_t waiting()
    {
        settle();
        return arrived_.size();
    }

    void setPortName(const std::string& name) override { name_ = name; }
    void setBaudIndex(int code) override { baud_ = code; }
    void open() override
    {
        if (failOpen) throw SerialError("Unable to open com port (Error: 1)\n/dev/ttyS9: No such file or directory");
        if (!open_) ++opens;
        open_ = true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    int write(const uint8_t* data, int count) override
    {
        check();
        writes.emplace_back(data, data + count);
        if (onWrite) onWrite(*this, writes.back());
        return count;
    }
    bool readByte(uint8_t& byte) override
    {
        check();
        ++readCalls;
        settle();
        if (arrived_.empty()) return false;
        byte = arrived_.front();
        arrived_.pop_front();
        return true;
    }
    int inputCount() override
    {
        check();
        settle();
        return int(arrived_.size());
    }
    bool waitForInput(int ms) override
    {
        check();
        settle();
        const int64_t deadline = nowUs + int64_t(ms) * 1000;
        const int64_t start = nowUs;
        const bool arrives = !pending_.empty() && pending_.front().first <= deadline;
        nowUs = arrives ? std::max(nowUs, pending_.front().first) : deadline;
        waitedUs += nowUs - start;
        settle();
        return arrives;
    }

    std::string name_;
    int baud_ = -1;

private:
    void check() const
    {
        if (!open_) throw SerialError("Port Not Open");
        if (failReads) throw SerialError("ReadFile function failed (Error: 5)");
    }
    void settle()
    {
        while (!pending_.empty() && pending_.front().first <= nowUs) {
            arrived_.push_back(pending_.front().second);
            pending_.pop_front();
        }
    }
    bool open_ = false;
    std::deque<std::pair<int64_t, uint8_t>> pending_;
    std::deque<uint8_t> arrived_;
};

}  // namespace dp::test
