// The simulator's stored-code list as given on its command line.

#include <gtest/gtest.h>

#include "sim/FaultCodeList.h"

namespace dp::sim {
namespace {

struct ListCase {
    const char* name;
    std::string text;
    std::optional<std::vector<FaultCode>> codes;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

std::string Many(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? ",1:" : "1:") + std::to_string(i % 256);
    return text;
}

std::vector<FaultCode> ManyCodes(int n)
{
    std::vector<FaultCode> codes;
    for (int i = 0; i < n; ++i) codes.push_back({0x01, uint8_t(i % 256)});
    return codes;
}

const ListCase kCases[] = {
    {"TwoCodesInOrder", "33:11,05:0", std::vector<FaultCode>{{0x33, 11}, {0x05, 0}}},
    {"HexCodeDecimalCount", "ab:255,F:9", std::vector<FaultCode>{{0xAB, 255}, {0x0F, 9}}},
    {"RepeatsKept", "21:1,21:1", std::vector<FaultCode>{{0x21, 1}, {0x21, 1}}},
    {"EmptyMeansNone", "", std::vector<FaultCode>{}},
    {"AsManyAsOneFrameCarries", Many(127), ManyCodes(127)},
    {"OneTooMany", Many(128), std::nullopt},
    {"CountTooLarge", "33:256", std::nullopt},
    {"CodeTooLong", "133:1", std::nullopt},
    {"NotHex", "3G:1", std::nullopt},
    {"MissingCount", "33:", std::nullopt},
    {"MissingColon", "33", std::nullopt},
    {"NegativeCount", "33:-1", std::nullopt},
    {"TrailingComma", "33:1,", std::nullopt},
    {"EmptyItem", "33:1,,05:0", std::nullopt},
    {"Spaces", "33:1, 05:0", std::nullopt},
};

class ParseFaultCodesTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ParseFaultCodesTest, Parses)
{
    const ListCase& c = GetParam();
    EXPECT_EQ(ParseFaultCodes(c.text), c.codes);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseFaultCodesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dp::sim
