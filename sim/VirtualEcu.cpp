#include "sim/VirtualEcu.h"

#include <algorithm>
#include <limits>

namespace dp::sim {

namespace {

constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
constexpr std::size_t kMaxPayload = 255;  // what one length byte can announce

}  // namespace

VirtualEcu::VirtualEcu(EcuOptions options, int64_t startUs)
    : options_(options),
      engine_(options.seed, startUs),
      garbageRng_(options.seed ^ 0x5EED0F6A4BA6Eull),
      inputFreeUs_(startUs),
      outputFreeUs_(startUs)
{
    options_.slowUs = std::max<int64_t>(0, options_.slowUs);
    engine_.setFaultCodes(options_.faults);
    setBitRate(9600);
}

void VirtualEcu::setOptions(EcuOptions options)
{
    options.seed = options_.seed;
    options.slowUs = std::max<int64_t>(0, options.slowUs);
    options_ = options;
    framesBeforeOptions_ = framesSent_;
    if (vanished_) {
        vanished_ = false;
        handshake_ = 0;
        clearRequest();
    }
}

void VirtualEcu::setBitRate(int bitsPerSecond)
{
    if (bitsPerSecond <= 0) return;
    bitRate_ = bitsPerSecond;
    byteUs_ = std::max<int64_t>(1, (10'000'000 + bitsPerSecond / 2) / bitsPerSecond);
}

void VirtualEcu::receive(const uint8_t* data, std::size_t count, int64_t nowUs)
{
    if (!data) return;
    int64_t t = std::max(nowUs, inputFreeUs_);
    for (std::size_t i = 0; i < count; ++i) {
        t += byteUs_;
        toUnit_.push_back({data[i], t});
    }
    inputFreeUs_ = t;
}

void VirtualEcu::collect(int64_t nowUs, std::vector<uint8_t>& out)
{
    runUntil(nowUs);
    while (!toPc_.empty() && toPc_.front().us <= nowUs) {
        out.push_back(toPc_.front().byte);
        toPc_.pop_front();
    }
}

std::optional<int64_t> VirtualEcu::nextArrivalUs()
{
    for (;;) {
        if (!toPc_.empty()) return toPc_.front().us;
        const int64_t in = toUnit_.empty() ? kNever : toUnit_.front().us;
        const int64_t frame = stream_ ? stream_->nextFrameUs : kNever;
        if (in == kNever && frame == kNever) return std::nullopt;
        // Bytes already written are fixed, so handling them ahead of time is safe; a frame
        // is not built early, since a stop written meanwhile could still cancel it.
        if (in > frame) return frame + byteUs_;
        runUntil(in);
    }
}

void VirtualEcu::runUntil(int64_t t)
{
    for (;;) {
        const int64_t in = toUnit_.empty() ? kNever : toUnit_.front().us;
        const int64_t frame = stream_ ? stream_->nextFrameUs : kNever;
        // A stop arriving just as a frame would begin cancels that frame.
        if (in <= frame) {
            if (in > t) return;
            const uint8_t b = toUnit_.front().byte;
            toUnit_.pop_front();
            onByte(b, in);
        } else {
            if (frame > t) return;
            sendFrame();
        }
    }
}

void VirtualEcu::onByte(uint8_t b, int64_t t)
{
    if (options_.silent || vanished_) return;
    if (stream_) {
        // While streaming the unit listens only for the stop; it answers once the frame
        // under way is out.
        if (b == 0x30) {
            stream_.reset();
            engine_.advance(t);
            engine_.endTest();
            reply(0xCF, t);
        }
        return;
    }
    if (dataDue_ > 0) {
        --dataDue_;
        if (command_ == 0x5A) {
            const std::size_t limit = std::min<std::size_t>(kMaxPayload, std::size_t(std::max(options_.registerLimit, 0)));
            const bool known = HasRegister(b) && registers_.size() < limit;
            if (known) registers_.push_back(b);
            reply(known ? b : 0xFE, t);
        } else {
            testBytes_.push_back(b);
            reply(b, t);
            wantTest_ = testBytes_.size() == 2;
        }
        return;
    }
    if (b == 0xFF) {
        handshake_ = std::min(handshake_ + 1, 2);
        return;
    }
    if (b == 0xEF && handshake_ == 2) {
        handshake_ = 0;
        clearRequest();
        reply(0x10, t);
        return;
    }
    handshake_ = 0;
    onCommandByte(b, t);
}

void VirtualEcu::onCommandByte(uint8_t b, int64_t t)
{
    switch (b) {
    case 0x5A:
        command_ = b;
        dataDue_ = 1;
        break;
    case 0x0A:
        command_ = b;
        dataDue_ = 2;
        testBytes_.clear();
        wantTest_ = false;
        break;
    case 0xD1:
        wantFaults_ = true;
        break;
    case 0xC1:
        wantClear_ = true;
        break;
    case 0x30:
        engine_.advance(t);
        engine_.endTest();
        clearRequest();
        break;
    case 0xF0:
        execute(t);
        return;
    default:
        return;  // not a command this unit knows: ignored
    }
    reply(uint8_t(~b), t);
}

void VirtualEcu::execute(int64_t t)
{
    engine_.advance(t);
    const bool lone = registers_.empty() && !wantFaults_ && !wantClear_ && !wantTest_;
    if (lone) engine_.endTest();
    if (wantClear_) engine_.clearFaultCodes();
    if (wantTest_) engine_.startTest(testBytes_[0], testBytes_[1]);
    if (!registers_.empty() || wantFaults_) {
        Stream s;
        s.faults = registers_.empty();
        s.registers = std::move(registers_);
        s.nextFrameUs = std::max(t + options_.slowUs, outputFreeUs_);
        stream_ = std::move(s);
        vanishIfDue();
    }
    clearRequest();
}

void VirtualEcu::sendFrame()
{
    Stream& s = *stream_;
    const int64_t start = s.nextFrameUs;
    engine_.advance(start);

    if (options_.garbage && !s.first) {
        const int count = 1 + int(garbageRng_.next() % 3);
        for (int i = 0; i < count; ++i) send(uint8_t(garbageRng_.next() % 0xFF), start);
    }
    std::vector<uint8_t> payload;
    if (s.faults) {
        for (const FaultCode& f : engine_.faultCodes()) {
            if (payload.size() + 2 > kMaxPayload) break;
            payload.push_back(f.code);
            payload.push_back(f.starts);
        }
        if (payload.empty()) payload = {0x55, 0x00};  // the unit's own "no malfunction" code
    } else {
        const EngineReadings r = engine_.readings();
        for (uint8_t reg : s.registers) payload.push_back(EncodeRegister(r, reg));
        const auto wanted = std::clamp<int64_t>(int64_t(payload.size()) + options_.wrongLength, 0, kMaxPayload);
        payload.resize(std::size_t(wanted), 0x00);
    }
    if (options_.ffInData && !payload.empty()) payload[0] = 0xFF;

    send(0xFF, start);
    send(uint8_t(payload.size()), start);
    for (uint8_t b : payload) send(b, start);
    s.first = false;
    s.nextFrameUs = outputFreeUs_;
    ++framesSent_;
    vanishIfDue();
}

void VirtualEcu::vanishIfDue()
{
    if (options_.vanishAfterFrames >= 0 && framesSent_ - framesBeforeOptions_ >= options_.vanishAfterFrames) {
        vanished_ = true;
        stream_.reset();
    }
}

void VirtualEcu::reply(uint8_t b, int64_t t) { send(b, t + options_.slowUs); }

void VirtualEcu::send(uint8_t b, int64_t t)
{
    outputFreeUs_ = std::max(t, outputFreeUs_) + byteUs_;
    toPc_.push_back({b, outputFreeUs_});
}

void VirtualEcu::clearRequest()
{
    command_ = 0;
    dataDue_ = 0;
    registers_.clear();
    testBytes_.clear();
    wantFaults_ = wantClear_ = wantTest_ = false;
}

}  // namespace dp::sim
