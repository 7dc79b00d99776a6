#pragma once
// Stored fault codes written as the report shows them, for the simulator's command line.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/EngineModel.h"

namespace dp::sim {

// As many code/count pairs as one fault frame (length byte at most 255) can carry.
inline constexpr std::size_t kMaxFaultCodes = 127;

// "33:11,05:0": each code in hexadecimal (one or two digits), a colon, and the count of
// engine starts in decimal (0 to 255), in the order the unit reports them. An empty
// text is an empty list. Nothing when the text is malformed or names too many codes.
std::optional<std::vector<FaultCode>> ParseFaultCodes(std::string_view text);

}  // namespace dp::sim
