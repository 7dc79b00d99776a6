#include "ecu/ActiveTests.h"

#include <algorithm>
#include <cmath>

namespace dp {

uint8_t ActiveTestValue(int group, const ActiveTestInput& input)
{
    const ActiveTestSpec& test = kActiveTests.at(std::size_t(group));
    switch (test.input) {
    case TestInputKind::TrackEdit: {
        // The edit keeps its value in range; a value that is not a number sends the
        // range's low end rather than whatever a cast of NaN would give.
        const double v = std::isnan(input.trackValue) ? test.min : input.trackValue;
        const auto whole = static_cast<long long>(RoundHalfToEven(std::clamp<double>(v, test.min, test.max)));
        return uint8_t((whole * test.factor + test.offset) & 0xFF);
    }
    case TestInputKind::Cylinders: {
        uint8_t mask = 0;
        for (std::size_t n = 0; n < input.cylinders.size(); ++n)
            if (input.cylinders[n]) mask |= uint8_t(1u << n);
        return mask;
    }
    case TestInputKind::Switch:
        return input.switchOn ? 0x00 : 0x01;
    }
    return 0;
}

std::array<uint8_t, 4> ActiveTestCommand(int group, const ActiveTestInput& input)
{
    return {kActiveTestByte, kActiveTests.at(std::size_t(group)).code, ActiveTestValue(group, input), kEndTestByte};
}

}  // namespace dp
