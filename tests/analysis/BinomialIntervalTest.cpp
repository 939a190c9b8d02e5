#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/BerCountText.h"
#include "analysis/BinomialInterval.h"

namespace linelab {
namespace {

TEST(ClopperPearson, NoErrorGivesTheClosedFormUpperEnd) {
    for (uint64_t n : {1ULL, 10ULL, 1000000ULL}) {
        const BinomialInterval i = ClopperPearson(0, n);
        EXPECT_EQ(i.dLow, 0.0);
        EXPECT_NEAR(i.dHigh, 1 - std::pow(0.025, 1.0 / n), 1e-12 + 1e-9 * i.dHigh) << n;
    }
    const BinomialInterval all = ClopperPearson(7, 7);
    EXPECT_NEAR(all.dLow, std::pow(0.025, 1.0 / 7), 1e-12);
    EXPECT_EQ(all.dHigh, 1.0);
}

// Exact intervals found by bisection on the binomial sums: 5 of 10 and 1 of 20 at 95 %,
// and 5 of 10 at 99 %.
TEST(ClopperPearson, MatchesTabulatedIntervals) {
    const BinomialInterval half = ClopperPearson(5, 10);
    EXPECT_NEAR(half.dLow, 0.187086, 1e-6);
    EXPECT_NEAR(half.dHigh, 0.812914, 1e-6);
    const BinomialInterval one = ClopperPearson(1, 20);
    EXPECT_NEAR(one.dLow, 0.001265, 1e-6);
    EXPECT_NEAR(one.dHigh, 0.248733, 1e-6);
    const BinomialInterval wide = ClopperPearson(5, 10, 0.99);
    EXPECT_NEAR(wide.dLow, 0.128311, 1e-6);
    EXPECT_NEAR(wide.dHigh, 0.871689, 1e-6);
}

// With many errors the exact interval approaches the Poisson one: 100 errors in 1e8 bits
// lie between 81.36 and 121.63 per 1e8 (chi-square quantiles).
TEST(ClopperPearson, LargeCountsStayAccurate) {
    const BinomialInterval i = ClopperPearson(100, 100000000ULL);
    EXPECT_NEAR(i.dLow * 1e8, 81.36, 0.02);
    EXPECT_NEAR(i.dHigh * 1e8, 121.63, 0.02);
    const BinomialInterval huge = ClopperPearson(3000000000ULL, 1ULL << 40);
    EXPECT_LT(huge.dLow, 3e9 / std::ldexp(1.0, 40));
    EXPECT_GT(huge.dHigh, 3e9 / std::ldexp(1.0, 40));
}

TEST(ClopperPearson, OutOfRangeArgumentsStaySafe) {
    const BinomialInterval none = ClopperPearson(0, 0);
    EXPECT_EQ(none.dLow, 0.0);
    EXPECT_EQ(none.dHigh, 1.0);
    const BinomialInterval over = ClopperPearson(12, 10);  // taken as 10 of 10
    EXPECT_EQ(over.dHigh, 1.0);
    const BinomialInterval badLevel = ClopperPearson(5, 10, 7.0);  // taken as 95 %
    EXPECT_NEAR(badLevel.dLow, 0.187086, 1e-6);
}

TEST(BerCountText, ReadsAsTheCountAndItsInterval) {
    EXPECT_EQ(BerCountText(37, 30720), "37 errors in 30,720 bits, 95 %: 0.85e-3 to 1.66e-3");
    EXPECT_EQ(BerCountText(0, 1000000), "0 errors in 1,000,000 bits, below 3.7e-6 at 95 %");
    EXPECT_EQ(BerCountText(1, 1000).substr(0, 21), "1 error in 1,000 bits");
    EXPECT_EQ(BerCountText(0, 0), "0 errors in 0 bits");
    // With the interval given: its ends, and how it was formed.
    const RateInterval blocks{{0.5e-3, 2.0e-3}, IntervalMethod::Blocks};
    EXPECT_EQ(BerCountText(37, 30720, blocks),
              "37 errors in 30,720 bits, 95 %: 0.50e-3 to 2.00e-3 (blocks)");
    EXPECT_EQ(BerCountText(0, 1000000, BlockInterval(std::vector<BlockCounts>{{0, 1000000}})),
              "0 errors in 1,000,000 bits, below 3.7e-6 at 95 % (exact)");
    EXPECT_EQ(BerCountText(0, 0, blocks), "0 errors in 0 bits");
    EXPECT_EQ(GroupedCount(18446744073709551615ULL), "18,446,744,073,709,551,615");
}

// The count line leads with the rate exactly where the caption's four truncated decimals
// read 0 though errors were counted.
struct CountLineCase {
    uint64_t errors;
    uint64_t bits;
    const char* lead;  // what comes before the count, "" for nothing
};
class BerCountLineTest : public ::testing::TestWithParam<CountLineCase> {};
TEST_P(BerCountLineTest, LeadsWithTheRateTheCaptionCannotShow) {
    const CountLineCase& c = GetParam();
    const RateInterval interval{{1e-7, 1e-5}, IntervalMethod::Exact};
    EXPECT_EQ(BerCountLine(c.errors, c.bits, interval),
              c.lead + BerCountText(c.errors, c.bits, interval));
}
INSTANTIATE_TEST_SUITE_P(Counts, BerCountLineTest,
                         ::testing::Values(CountLineCase{32, 8997632, "3.6e-6: "},
                                           CountLineCase{1, 20000, "5.0e-5: "},
                                           CountLineCase{1, 10001, "1.0e-4: "},
                                           CountLineCase{996, 100000000, "1.0e-5: "},
                                           CountLineCase{3, 10000, ""},
                                           CountLineCase{37, 30720, ""},
                                           CountLineCase{0, 1000000, ""}, CountLineCase{0, 0, ""}));

TEST(RateText, HasTwoSignificantDigits) {
    EXPECT_EQ(RateText(3.556e-6), "3.6e-6");
    EXPECT_EQ(RateText(9.96e-6), "1.0e-5");
    EXPECT_EQ(RateText(0.25), "2.5e-1");
    EXPECT_EQ(RateText(0), "0");
}

}  // namespace
}  // namespace linelab
