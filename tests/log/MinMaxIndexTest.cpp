#include "log/MinMaxIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace dp {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

MinMaxIndex::Span BruteForce(const std::vector<double>& v, std::size_t from, std::size_t to)
{
    MinMaxIndex::Span s{kNaN, kNaN};
    for (std::size_t k = from; k < to; ++k) {
        if (std::isnan(v[k])) continue;
        if (std::isnan(s.Min) || v[k] < s.Min) s.Min = v[k];
        if (std::isnan(s.Max) || v[k] > s.Max) s.Max = v[k];
    }
    return s;
}

void ExpectSame(const MinMaxIndex::Span& got, const MinMaxIndex::Span& want)
{
    EXPECT_TRUE(got.Min == want.Min || (std::isnan(got.Min) && std::isnan(want.Min))) << got.Min << " vs " << want.Min;
    EXPECT_TRUE(got.Max == want.Max || (std::isnan(got.Max) && std::isnan(want.Max))) << got.Max << " vs " << want.Max;
}

// Random ranges over a series grown in uneven steps, with NaN gaps, infinities, and
// runs of NaN and of +inf longer than a block, against a plain scan.
TEST(MinMaxIndex, AgreesWithAPlainScan)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    std::vector<double> v;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 300'000; ++k) {
        const auto pick = rng() % 400;
        v.push_back(pick < 4 ? kNaN : pick == 4 ? kInf : pick == 5 ? -kInf : value(rng));
    }
    for (int k = 5000; k < 5200; ++k) v[std::size_t(k)] = kNaN;
    for (int k = 7000; k < 7300; ++k) v[std::size_t(k)] = kInf;

    MinMaxIndex index;
    std::size_t grown = 0;
    for (std::size_t step : {1u, 63u, 64u, 1000u, 4096u, 100'000u, 194'776u}) {
        grown += step;
        index.Extend(v.data(), 1, grown);
        ASSERT_EQ(index.Count(), grown);
        SCOPED_TRACE(grown);
        for (int trial = 0; trial < 300; ++trial) {
            std::size_t a = rng() % (grown + 1), b = rng() % (grown + 1);
            if (a > b) std::swap(a, b);
            if (trial % 3 == 0) b = std::min(grown, a + rng() % 200);  // short ranges too
            SCOPED_TRACE(testing::Message() << a << ".." << b);
            ExpectSame(index.Range(v.data(), 1, a, b), BruteForce(v, a, b));
        }
        ExpectSame(index.Range(v.data(), 1, 0, grown), BruteForce(v, 0, grown));
        if (grown > 7300) ExpectSame(index.Range(v.data(), 1, 7010, 7290), {kInf, kInf});
    }
}

TEST(MinMaxIndex, ReadsStridedValues)
{
    // (key, value) pairs, as the charts store them: the index reads every second double.
    std::vector<double> pairs;
    for (int k = 0; k < 10'000; ++k) {
        pairs.push_back(double(k));          // key
        pairs.push_back(double(k % 500) - 250);  // value
    }
    MinMaxIndex index;
    index.Extend(pairs.data() + 1, 2, 10'000);
    const MinMaxIndex::Span s = index.Range(pairs.data() + 1, 2, 100, 9000);
    EXPECT_EQ(s.Min, -250);
    EXPECT_EQ(s.Max, 249);
    const MinMaxIndex::Span few = index.Range(pairs.data() + 1, 2, 10, 13);
    EXPECT_EQ(few.Min, -240);
    EXPECT_EQ(few.Max, -238);
}

TEST(MinMaxIndex, EmptyRangeAndAllNaNGiveNaN)
{
    const std::vector<double> v(300, kNaN);
    MinMaxIndex index;
    index.Extend(v.data(), 1, v.size());
    EXPECT_TRUE(std::isnan(index.Range(v.data(), 1, 0, 300).Min));
    EXPECT_TRUE(std::isnan(index.Range(v.data(), 1, 5, 5).Max));
}

}  // namespace
}  // namespace dp
