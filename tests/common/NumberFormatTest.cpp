#include "common/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>

namespace dp {
namespace {

struct FormatCase {
    double value;
    int digits;
    const char* expected;  // with '.' as the separator
};

// Gauge readouts (5 digits) and log viewer readouts (4 digits).
const FormatCase kGeneralCases[] = {
    {0, 5, "0"},
    {-0.0, 5, "0"},
    {9000, 5, "9000"},
    {-50, 5, "-50"},
    {812.5, 5, "812.5"},
    {double(12.3f), 5, "12.3"},  // the float's binary error never shows
    {double(-0.1f), 5, "-0.1"},
    {131072, 5, "1.3107E5"},
    {99999.96, 5, "1E5"},
    {99999.4, 5, "99999"},
    {99999.5, 5, "1E5"},
    {12345.5, 5, "12346"},  // exact half: away from zero
    {-12345.5, 5, "-12346"},
    {1234567, 5, "1.2346E6"},
    {3e20, 5, "3E20"},
    {812.5, 4, "812.5"},
    {1234.56, 4, "1235"},
    {0.005, 4, "0.005"},
    {-12, 4, "-12"},
    {9999.7, 4, "1E4"},
    {12346, 4, "1.235E4"},
    {0.00005, 4, "5E-5"},
    {0.0001, 4, "0.0001"},
    {0.00009999, 4, "9.999E-5"},
    {0.000099996, 4, "0.0001"},  // rounding carries into fixed range
    {0.125, 2, "0.13"},          // exact half
    {0.155, 2, "0.15"},          // 0.155 is stored just below the half
    {1e-300, 4, "1E-300"},
    {-2.5e-7, 4, "-2.5E-7"},
    {1000, 4, "1000"},
};

TEST(FormatGeneral, MatchesTableWithEitherSeparator)
{
    for (const FormatCase& c : kGeneralCases) {
        const QString expected = QString::fromLatin1(c.expected);
        EXPECT_EQ(FormatGeneral(c.value, c.digits, QLatin1Char('.')), expected)
            << c.value << " with " << c.digits << " digits";
        QString comma = expected;
        comma.replace(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(FormatGeneral(c.value, c.digits, QLatin1Char(',')), comma) << c.value;
    }
}

TEST(FormatGeneral, NonFiniteValuesGiveWordsNotGarbage)
{
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN(), 5, QLatin1Char('.')), "NAN");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity(), 5, QLatin1Char('.')), "INF");
    EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity(), 5, QLatin1Char('.')), "-INF");
}

struct ClockCase {
    double seconds;
    const char* expected;
};

const ClockCase kClockCases[] = {
    {0, "0.0"},
    {12.34, "12.3"},
    {999.94, "999.9"},
    {1234.56, "1235.0"},
    {9999.4, "9999.0"},
    {12345.6, "1.235E4"},
    {10000, "1E4"},
    {9999.5, "1E4"},
    {0.25, "0.3"},   // exact half rounds up
    {0.04, "0.0"},
    {0.05, "0.1"},   // 0.05 is stored just above the half
    {99.95, "100.0"},  // stored just above: carry into a new digit
    {999.95, "1000.0"},
    {1235.5, "1236.0"},
    {123456789, "1.235E8"},
    {-12.34, "-12.3"},
    {-0.04, "0.0"},
};

TEST(FormatClock, MatchesTableWithEitherSeparator)
{
    for (const ClockCase& c : kClockCases) {
        const QString expected = QString::fromLatin1(c.expected);
        EXPECT_EQ(FormatClock(c.seconds, QLatin1Char('.')), expected) << c.seconds;
        QString comma = expected;
        comma.replace(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(FormatClock(c.seconds, QLatin1Char(',')), comma) << c.seconds;
    }
}

TEST(FormatClock, FloatClockValuesShowTheirDecimalDigits)
{
    // The clock is a 32-bit float; its binary error must not leak into the text.
    EXPECT_EQ(FormatClock(double(0.1f), QLatin1Char('.')), "0.1");
    EXPECT_EQ(FormatClock(double(123.45f), QLatin1Char('.')), "123.4");  // stored below .45
    EXPECT_EQ(FormatClock(double(3600.2f), QLatin1Char('.')), "3600.0");
}

}  // namespace
}  // namespace dp
