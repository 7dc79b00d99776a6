#pragma once
// The serial port of a real adapter, through QSerialPort, polled synchronously.

#include <QSerialPort>
#include <deque>
#include <string>

#include "ecu/SerialPort.h"

namespace dp {

// "COM3" names the third serial device of the system; a path or a device name such as
// "ttyUSB0" is used as it stands.
QString DeviceForPortName(const std::string& name);

class QtSerialBackend : public SerialPort {
public:
    void setPortName(const std::string& name) override;
    void setBaudIndex(int code) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    int write(const uint8_t* data, int count) override;
    bool readByte(uint8_t& byte) override;
    int inputCount() override;
    bool waitForInput(int ms) override;

private:
    void requireOpen() const;
    // Moves what has arrived into rx_; true when anything came.
    bool take();
    // Waits up to ms for the line to have bytes, then takes them.
    bool waitAndTake(int ms);
    void checkReadError();
    [[noreturn]] void fail(const char* what);

    QSerialPort port_;
    std::deque<uint8_t> rx_;  // received, oldest first
    std::string name_ = "COM1";
    int baudIndex_ = 7;
};

}  // namespace dp
