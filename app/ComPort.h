#pragma once
// ComPort1: the port the main window talks through. The name chooses the backend: the
// virtual ECU's name selects the in-process simulator, anything else a real adapter.

#include <memory>
#include <string>

#include "ecu/QtSerialBackend.h"
#include "ecu/SerialPort.h"

namespace dp {
namespace sim {
class VirtualEcu;
class SteadyClock;
class SimPort;
}  // namespace sim

class ComPort : public SerialPort {
public:
    ComPort();
    ~ComPort() override;

    void setPortName(const std::string& name) override;
    void setBaudIndex(int code) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return active_->isOpen(); }
    int write(const uint8_t* data, int count) override { return active_->write(data, count); }
    bool readByte(uint8_t& byte) override { return active_->readByte(byte); }
    int inputCount() override { return active_->inputCount(); }
    bool waitForInput(int ms) override { return active_->waitForInput(ms); }

private:
    SerialPort& backendFor(const std::string& name);

    std::string name_;
    int baudIndex_ = 7;
    QtSerialBackend serial_;
    std::unique_ptr<sim::SteadyClock> clock_;
    std::unique_ptr<sim::VirtualEcu> ecu_;
    std::unique_ptr<sim::SimPort> virtual_;
    SerialPort* active_ = &serial_;
};

}  // namespace dp
