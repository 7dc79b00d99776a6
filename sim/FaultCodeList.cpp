#include "sim/FaultCodeList.h"

#include <charconv>

namespace dp::sim {
namespace {

// The whole of text as a number of at most maxDigits digits, no sign, within 0..255.
std::optional<uint8_t> Byte(std::string_view text, int base, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || value > 255) return std::nullopt;
    return uint8_t(value);
}

}  // namespace

std::optional<std::vector<FaultCode>> ParseFaultCodes(std::string_view text)
{
    std::vector<FaultCode> codes;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const auto code = Byte(item.substr(0, colon), 16, 2);
        const auto starts = Byte(item.substr(colon + 1), 10, 3);
        if (!code || !starts || codes.size() == kMaxFaultCodes) return std::nullopt;
        codes.push_back({*code, *starts});
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
        if (text.empty()) return std::nullopt;  // a trailing comma
    }
    return codes;
}

}  // namespace dp::sim
