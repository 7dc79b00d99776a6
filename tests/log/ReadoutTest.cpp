#include "log/Readout.h"

#include <gtest/gtest.h>

#include <limits>

namespace dp {
namespace {

struct ReadoutCase {
    const char* name;
    double value;
    const char* text;  // with '.' as the separator
};

TEST(ReadoutNumber, FourSignificantDigitsWithEitherSeparator)
{
    const ReadoutCase cases[] = {
        {"fixed_with_fraction", 812.5, "812.5"},
        {"rounded_to_integer", 1234.56, "1235"},
        {"small_fraction", 0.005, "0.005"},
        {"negative_integer", -12, "-12"},
        {"rounding_carries_into_scientific", 9999.7, "1E4"},
        {"five_integer_digits_scientific", 12346, "1.235E4"},
        {"below_one_ten_thousandth_scientific", 0.00005, "5E-5"},
        {"zero", 0, "0"},
        {"negative_zero", -0.0, "0"},
        {"one_ten_thousandth_fixed", 0.0001, "0.0001"},
        {"no_trailing_zeros", 2.5, "2.5"},
        {"time_label_example", 12345.6, "1.235E4"},
        {"float_error_hidden", double(13.6f), "13.6"},
        {"negative_small_scientific", -0.0000123, "-1.23E-5"},
    };
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadoutNumber(c.value, QLatin1Char('.')), QString::fromLatin1(c.text));
        EXPECT_EQ(ReadoutNumber(c.value, QLatin1Char(',')), QString::fromLatin1(c.text).replace('.', ','));
    }
}

TEST(ChannelReadout, FlagsReadOnOrOffAndValuesUnscaled)
{
    TEngineSample s;
    s.FanFlag = 100;
    s.EgrFlag = 0;
    s.EngineSpeed = 812.5f;
    s.CoolantTemp = -50;
    EXPECT_EQ(ChannelReadout(kChannels[17], s, QLatin1Char('.')), "ON");
    EXPECT_EQ(ChannelReadout(kChannels[19], s, QLatin1Char('.')), "OFF");
    s.FanFlag = 1;  // any byte but 0 is on
    EXPECT_EQ(ChannelReadout(kChannels[17], s, QLatin1Char('.')), "ON");
    EXPECT_EQ(ChannelReadout(kChannels[0], s, QLatin1Char(',')), "812,5");
    EXPECT_EQ(ChannelReadout(kChannels[4], s, QLatin1Char('.')), "-50");
    s.O2Sensor = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ChannelReadout(kChannels[8], s, QLatin1Char('.')), "NAN");
}

}  // namespace
}  // namespace dp
