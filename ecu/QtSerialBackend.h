#pragma once
// The serial port of a real adapter, through QSerialPort, polled synchronously.

#include <QSerialPort>
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
    // Pulls what the driver holds into QSerialPort's buffer; waits up to ms for new bytes.
    bool pump(int ms);
    [[noreturn]] void fail(const char* what);

    QSerialPort port_;
    std::string name_ = "COM1";
    int baudIndex_ = 7;
};

}  // namespace dp
