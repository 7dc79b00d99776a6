#include "app/ComPort.h"

#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"

namespace dp {

ComPort::ComPort() = default;
ComPort::~ComPort() { close(); }

SerialPort& ComPort::backendFor(const std::string& name)
{
    if (name != sim::kVirtualPortName) return serial_;
    if (!virtual_) {
        // The simulated unit lives as long as the program, so it keeps warming up
        // across reconnections like a real car would.
        clock_ = std::make_unique<sim::SteadyClock>();
        ecu_ = std::make_unique<sim::VirtualEcu>();
        virtual_ = std::make_unique<sim::SimPort>(*ecu_, *clock_);
        virtual_->setBaudIndex(baudIndex_);
    }
    return *virtual_;
}

void ComPort::setPortName(const std::string& name)
{
    if (name == name_) return;
    SerialPort& next = backendFor(name);
    const bool wasOpen = active_->isOpen();
    if (&next != active_) {
        active_->close();
        active_ = &next;
    }
    name_ = name;
    active_->setPortName(name);
    if (wasOpen) active_->open();
}

void ComPort::setBaudIndex(int code)
{
    baudIndex_ = code;
    active_->setBaudIndex(code);
}

void ComPort::open() { active_->open(); }

void ComPort::close()
{
    if (active_) active_->close();
}

}  // namespace dp
