#include "sim/SimPort.h"

#include <algorithm>

namespace dp::sim {

SimPort::SimPort(VirtualEcu& ecu, SimClock& clock) : ecu_(ecu), clock_(clock)
{
    ecu_.setBitRate(BaudRateForCode(baudIndex_));
}

void SimPort::setPortName(const std::string& name)
{
    if (name == name_) return;
    const bool wasOpen = open_;
    close();
    name_ = name;
    if (wasOpen) open();
}

void SimPort::setBaudIndex(int code)
{
    baudIndex_ = code;
    ecu_.setBitRate(BaudRateForCode(code));
}

void SimPort::open()
{
    if (open_) return;
    // Whatever the unit sent while nobody listened is gone.
    arrived_.clear();
    ecu_.collect(clock_.nowUs(), arrived_);
    arrived_.clear();
    input_.clear();
    open_ = true;
}

void SimPort::close()
{
    open_ = false;
    input_.clear();
}

void SimPort::requireOpen() const
{
    if (!open_) throw SerialError("Port Not Open");
}

int SimPort::write(const uint8_t* data, int count)
{
    requireOpen();
    if (!data || count <= 0) return 0;
    ecu_.receive(data, std::size_t(count), clock_.nowUs());
    return count;
}

bool SimPort::readByte(uint8_t& byte)
{
    requireOpen();
    pull();
    if (input_.empty()) return false;
    byte = input_.front();
    input_.pop_front();
    return true;
}

int SimPort::inputCount()
{
    requireOpen();
    pull();
    return int(input_.size());
}

bool SimPort::waitForInput(int ms)
{
    requireOpen();
    pull();
    const std::size_t before = input_.size();
    const int64_t deadline = clock_.nowUs() + int64_t(std::max(ms, 0)) * 1000;
    const std::optional<int64_t> next = ecu_.nextArrivalUs();
    clock_.sleepUntilUs(next && *next < deadline ? *next : deadline);
    pull();
    return input_.size() > before;
}

void SimPort::pull()
{
    arrived_.clear();
    ecu_.collect(clock_.nowUs(), arrived_);
    const std::size_t room = kInputBufferBytes - std::min(kInputBufferBytes, input_.size());
    input_.insert(input_.end(), arrived_.begin(), arrived_.begin() + std::ptrdiff_t(std::min(room, arrived_.size())));
}

}  // namespace dp::sim
