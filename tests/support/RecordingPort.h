#pragma once
// Passes everything through to another port and keeps a copy of each write, so a test
// can see the bytes on the line while a real or virtual unit answers them.

#include <cstdint>
#include <string>
#include <vector>

#include "ecu/SerialPort.h"

namespace dp::test {

class RecordingPort : public SerialPort {
public:
    explicit RecordingPort(SerialPort& inner) : inner_(inner) {}
    std::vector<std::vector<uint8_t>> writes;
    void setPortName(const std::string& n) override { inner_.setPortName(n); }
    void setBaudIndex(int c) override { inner_.setBaudIndex(c); }
    void open() override { inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    int write(const uint8_t* d, int n) override
    {
        const int sent = inner_.write(d, n);
        writes.emplace_back(d, d + n);
        return sent;
    }
    bool readByte(uint8_t& b) override { return inner_.readByte(b); }
    int inputCount() override { return inner_.inputCount(); }
    bool waitForInput(int ms) override { return inner_.waitForInput(ms); }

private:
    SerialPort& inner_;
};

}  // namespace dp::test
