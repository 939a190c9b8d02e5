#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "receiver/BitErrorRate.h"
#include "tests/CaseName.h"

namespace linelab::test {
namespace {

struct RangeCase {
    int16_t iCodeBaud;
    int last;

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << "baud " << c.iCodeBaud; }
};

class ComparedRange : public ::testing::TestWithParam<RangeCase> {};

// Errors just outside the compared range never count; each one inside counts once.
TEST_P(ComparedRange, CountsBits8ToLast) {
    const RangeCase c = GetParam();
    EXPECT_EQ(LastComparedBit(c.iCodeBaud), c.last);
    Bits sent{};
    Bits received{};
    received[7] = 1;
    received[c.last + 1] = 1;
    received[255] = 1;
    EXPECT_EQ(RunErrorRate(received, sent, c.iCodeBaud), 0.0);
    received[8] = 1;
    received[c.last] = kInvalidMark;
    EXPECT_DOUBLE_EQ(RunErrorRate(received, sent, c.iCodeBaud), 2.0 / (c.last - 7));
}

INSTANTIATE_TEST_SUITE_P(CodeScales, ComparedRange,
                         ::testing::Values(RangeCase{12, 119}, RangeCase{24, 55},
                                           RangeCase{15, 93}));

TEST(ComparedRange, OddScalesStayInsideTheArrays) {
    EXPECT_EQ(LastComparedBit(1), 255);
    EXPECT_EQ(LastComparedBit(0), 8);
    EXPECT_EQ(LastComparedBit(-12), 8);
    EXPECT_EQ(LastComparedBit(32767), 8);
    Bits a{};
    Bits b{};
    b[8] = 1;
    EXPECT_EQ(RunErrorRate(a, b, 0), 1.0);
}

TEST(RunningMean, StartsFromTheRunAndWeighsRunsEqually) {
    RunState s;
    s.dBER = 0.9;  // left from before a restart
    AccumulateBer(s, 0.2);
    EXPECT_EQ(s.dBER, 0.2);
    EXPECT_EQ(s.lBERRuns, 1);
    AccumulateBer(s, 0.4);
    EXPECT_DOUBLE_EQ(s.dBER, 0.3);
    AccumulateBer(s, 0.0);
    EXPECT_DOUBLE_EQ(s.dBER, 0.2);
    EXPECT_EQ(s.lBERRuns, 3);
}

TEST(RunningMean, CountSaturatesAndTheMeanStaysFinite) {
    RunState s;
    s.lBERRuns = INT32_MAX - 1;
    s.dBER = 0.5;
    AccumulateBer(s, 1.0);
    EXPECT_EQ(s.lBERRuns, INT32_MAX);
    AccumulateBer(s, 1.0);
    EXPECT_EQ(s.lBERRuns, INT32_MAX);
    EXPECT_TRUE(std::isfinite(s.dBER));
    EXPECT_GT(s.dBER, 0.5);
    EXPECT_LT(s.dBER, 0.5001);
}

}  // namespace
}  // namespace linelab::test
