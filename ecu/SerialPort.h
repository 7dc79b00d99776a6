#pragma once
// The program's view of a serial port: exactly what the ECU exchanges need.
// Backends: QSerialPort (real adapters) and the in-process virtual ECU.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dp {

// A failure of the port itself (open, read, write). Reported to the user with its text.
class SerialError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Speed codes 0..15 as stored in the settings; code 0 is the custom speed, left at 9600.
int BaudRateForCode(int code);

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // When open and the name differs, the port is closed and opened again under the new name.
    virtual void setPortName(const std::string& name) = 0;
    // When open and the code differs, the new speed applies at once.
    virtual void setBaudIndex(int code) = 0;
    // 8N1, no flow control, DTR and RTS off. Does nothing when open; throws SerialError.
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Sends the bytes in one piece; returns how many went out. Throws when not open.
    virtual int write(const uint8_t* data, int count) = 0;
    // Returns at once: true and the byte when one is waiting.
    virtual bool readByte(uint8_t& byte) = 0;
    // Received bytes waiting to be read.
    virtual int inputCount() = 0;
    // Blocks until bytes beyond those already waiting arrive, or ms milliseconds pass.
    // Returns whether new bytes arrived.
    virtual bool waitForInput(int ms) = 0;
};

}  // namespace dp
