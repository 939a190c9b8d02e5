#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "receiver/Sampling.h"

namespace linelab::test {
namespace {

// Each real part holds its own index, imaginary parts a value that must never be read, so a
// sample names the index (or the mean of two indices) it was taken from.
Signal IndexSignal() {
    Signal d{};
    for (int i = 0; i < kSignalFloats; i += 2) {
        d[i] = i;
        d[i + 1] = -1e9;
    }
    return d;
}

struct SampleCase {
    int k, v;
    double index;  // the real-part index read, or the mean of the two read

    friend void PrintTo(const SampleCase& c, std::ostream* os) {
        *os << "slot " << c.k << ", slider " << c.v;
    }
};

class SamplingTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SamplingTest, ReadsTheRuleIndex) {
    const Signal d = IndexSignal();
    const SampleCase c = GetParam();
    EXPECT_DOUBLE_EQ(SampleSlot(d, c.k, c.v), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, SamplingTest,
    ::testing::Values(SampleCase{0, 0, 0}, SampleCase{5, 0, 160},     // the impulse itself
                      SampleCase{5, 1, 161},                          // mean of 160 and 162
                      SampleCase{5, -1, 159}, SampleCase{5, 6, 166},  // three samples later
                      SampleCase{5, -32, 128},                        // one slot earlier
                      SampleCase{0, -32, 0}, SampleCase{0, -2, 0},    // before the start
                      SampleCase{0, -1, 1}, SampleCase{0, 1, 1},      // both odd: 0 and 2
                      SampleCase{1, -30, 2},                          // 2 is not before 2
                      SampleCase{1, -31, 33},     // odd below 2: own slot and the next
                      SampleCase{127, 32, 4064},  // clamped at the end
                      SampleCase{127, 31, 4063}, SampleCase{126, 31, 4063},
                      SampleCase{127, 0, 4064}, SampleCase{126, 32, 4064},
                      SampleCase{127, -32, 4032},
                      // Any int is safe: the slider value comes from the owner.
                      SampleCase{0, INT_MAX, 4063}, SampleCase{127, INT_MIN, 4064},
                      SampleCase{64, INT_MIN + 1, 2049}, SampleCase{64, INT_MAX - 1, 4064}));

}  // namespace
}  // namespace linelab::test
