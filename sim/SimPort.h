#pragma once
// A serial port wired straight to a virtual ECU in the same process. Reads see the bytes
// that have reached the PC by the clock's present time; waiting sleeps the clock.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "ecu/SerialPort.h"
#include "sim/SimClock.h"
#include "sim/VirtualEcu.h"

namespace dp::sim {

// The name under which the port list offers the virtual ECU.
inline constexpr const char* kVirtualPortName = "VIRTUAL-ECU";

class SimPort : public SerialPort {
public:
    // Like a driver's, the input buffer holds this much; bytes beyond it are lost.
    static constexpr std::size_t kInputBufferBytes = 1024;

    // Both must outlive the port. The line speed follows the port's speed code.
    SimPort(VirtualEcu& ecu, SimClock& clock);

    void setPortName(const std::string& name) override;
    void setBaudIndex(int code) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return open_; }

    int write(const uint8_t* data, int count) override;
    bool readByte(uint8_t& byte) override;
    int inputCount() override;
    bool waitForInput(int ms) override;

    const std::string& portName() const { return name_; }

private:
    void requireOpen() const;
    // Moves the bytes that have arrived by now into the input buffer.
    void pull();

    VirtualEcu& ecu_;
    SimClock& clock_;
    std::string name_ = kVirtualPortName;
    int baudIndex_ = 7;
    bool open_ = false;
    std::deque<uint8_t> input_;
    std::vector<uint8_t> arrived_;
};

}  // namespace dp::sim
