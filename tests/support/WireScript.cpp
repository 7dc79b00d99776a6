#include "support/WireScript.h"

#include <cstdio>
#include <sstream>

namespace dp::sim::test {

namespace {

void CollectUntil(VirtualEcu& ecu, int64_t limitUs, std::vector<Arrival>& got)
{
    std::vector<uint8_t> bytes;
    while (const auto t = ecu.nextArrivalUs()) {
        if (*t > limitUs) break;
        bytes.clear();
        ecu.collect(*t, bytes);
        for (uint8_t b : bytes) got.push_back({b, *t});
    }
}

}  // namespace

std::vector<Arrival> RunScript(VirtualEcu& ecu, const std::vector<TimedWrite>& writes, int64_t untilUs)
{
    std::vector<Arrival> got;
    for (const TimedWrite& w : writes) {
        CollectUntil(ecu, w.atUs, got);
        ecu.receive(w.bytes.data(), w.bytes.size(), w.atUs);
    }
    CollectUntil(ecu, untilUs, got);
    return got;
}

std::string Describe(const std::vector<Arrival>& got)
{
    std::string s;
    char buf[32];
    for (const Arrival& a : got) {
        std::snprintf(buf, sizeof buf, "%02X@%lld ", a.byte, static_cast<long long>(a.us));
        s += buf;
    }
    return s;
}

std::string MatchPattern(const std::vector<Arrival>& got, const std::string& pattern, int64_t byteUs)
{
    std::istringstream tokens(pattern);
    std::string tok;
    std::size_t i = 0;
    int64_t due = -1;  // when the next byte must arrive; -1 while unknown
    auto take = [&](const std::string& what) -> std::string {
        if (i >= got.size()) return "missing " + what + " at byte " + std::to_string(i);
        if (due >= 0 && got[i].us != due)
            return "byte " + std::to_string(i) + " arrived at " + std::to_string(got[i].us) + ", expected " +
                   std::to_string(due);
        due = got[i].us + byteUs;
        ++i;
        return {};
    };
    while (tokens >> tok) {
        std::string err;
        if (tok[0] == '@') {
            due = std::stoll(tok.substr(1));
        } else if (tok == "??") {
            err = take("any byte");
        } else if (tok == "~~") {
            int n = 0;
            while (n < 3 && i < got.size() && got[i].byte != 0xFF && err.empty()) {
                err = take("stray byte");
                ++n;
            }
            if (err.empty() && n == 0) err = "no stray byte at byte " + std::to_string(i);
        } else {
            const auto want = uint8_t(std::stoul(tok, nullptr, 16));
            if (i < got.size() && got[i].byte != want)
                err = "byte " + std::to_string(i) + " is " + std::to_string(got[i].byte) + ", expected " + tok;
            if (err.empty()) err = take(tok);
        }
        if (!err.empty()) return err;
    }
    if (i != got.size()) return "unexpected bytes from byte " + std::to_string(i);
    return {};
}

}  // namespace dp::sim::test
