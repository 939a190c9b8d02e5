#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "common/Reporter.h"  // Transmit.h names it without including it
#include "receiver/Demodulator.h"
#include "tests/CaseName.h"
#include "transmit/Transmit.h"

namespace linelab::test {
namespace {

Thresholds Pattern(Format format) {
    Thresholds t{};
    const auto& d = DefaultThresholds(format);
    std::copy(d.begin(), d.end(), t.begin());
    return t;
}

struct DecisionCase {
    Format format;
    double sample;
    int16_t level;

    friend void PrintTo(const DecisionCase& c, std::ostream* os) {
        PrintTo(c.format, os);
        *os << " at " << c.sample;
    }
};

class DecisionTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(DecisionTest, ComparesAsTheRowSays) {
    const DecisionCase c = GetParam();
    EXPECT_EQ(DecideLevel(c.format, c.sample, Pattern(c.format)), c.level)
        << test::IdName(c.format) << " at " << c.sample;
}

// T0 of the unipolar and three-level patterns, and of the four-level pattern.
const double kHalf = DefaultThresholds(Format::UnipolarNrz)[0];
const double kPamOuter = DefaultThresholds(Format::Pam4)[0];

INSTANTIATE_TEST_SUITE_P(
    Rows, DecisionTest,
    ::testing::Values(DecisionCase{Format::UnipolarNrz, kHalf, 0},  // exactly at T0: strict
                      DecisionCase{Format::UnipolarNrzi, std::nextafter(kHalf, 2.0), 1},
                      DecisionCase{Format::UnipolarNrz, -5, 0},
                      DecisionCase{Format::PolarNrz, 0.0, -1},  // T0 = 0 itself goes low
                      DecisionCase{Format::PolarNrzi, 1e-300, 1},
                      DecisionCase{Format::PolarNrz, -3, -1},
                      DecisionCase{Format::Ami, -kHalf, 0},  // exactly at T1: the middle level
                      DecisionCase{Format::Hdb3, std::nextafter(-kHalf, -2.0), -1},
                      DecisionCase{Format::Mlt3, kHalf, 0}, DecisionCase{Format::Ami, 0.9, 1},
                      DecisionCase{Format::Mlt3, -0.9, -1},
                      DecisionCase{Format::Pam4, 0.0, -1},  // at T1 = 0: the lower level
                      DecisionCase{Format::Pam4, kPamOuter, 1}, DecisionCase{Format::Pam4, 1.3, 3},
                      DecisionCase{Format::Pam4, 0.5, 1},
                      DecisionCase{Format::Pam4, -kPamOuter, -3},
                      DecisionCase{Format::Pam4, -1.0, -1}, DecisionCase{Format::Pam4, -1.3, -3}));

TEST(DecideSymbols, UnknownFormatKeepsTheLevels) {
    Signal d{};
    Symbols levels{};
    levels.fill(7);
    DecideSymbols(std::nullopt, d, 0, Pattern(Format::PolarNrz), levels);
    for (int16_t level : levels)
        EXPECT_EQ(level, 7);
}

// Levels made by the transmitter's mapper come back as the same code bits, first slot
// included (every mapper starts afresh in each run).
class LevelRoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(LevelRoundTrip, MapperOutputDecodesToItsCodeBits) {
    const Format format = GetParam();
    const int count = format == Format::Pam4 ? 256 : 128;
    Uniform rng;
    Bits coded{};
    Symbols levels{};
    for (int run = 0; run < 50; ++run) {
        // Sparse, dense and random runs: long zero runs exercise the HDB3 substitutions.
        const double density = run % 3 == 0 ? 0.1 : (run % 3 == 1 ? 0.9 : 0.5);
        for (auto& bit : coded)
            bit = rng.Next() < density ? 1 : 0;
        MapLevels(format, 16, coded, levels);
        Bits decoded{};
        ASSERT_TRUE(LevelsToCodeBits(format, levels, decoded));
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(decoded[i], coded[i]) << test::IdName(format) << " bit " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LevelRoundTrip,
                         ::testing::Values(Format::UnipolarNrz, Format::UnipolarNrzi,
                                           Format::PolarNrz, Format::PolarNrzi, Format::Ami,
                                           Format::Mlt3, Format::Hdb3, Format::Pam4));

std::vector<int16_t> Decode(Format format, std::vector<int16_t> levels) {
    Symbols d{};
    std::copy(levels.begin(), levels.end(), d.begin());
    Bits c{};
    c.fill(9);
    LevelsToCodeBits(format, d, c);
    return {c.begin(), c.begin() + static_cast<std::ptrdiff_t>(levels.size())};
}

TEST(LevelsToCodeBits, Hdb3SubstitutionsDecodeToZeros) {
    // A mark, then 000V with V = +1.
    EXPECT_EQ(Decode(Format::Hdb3, {1, 0, 0, 0, 1}), (std::vector<int16_t>{1, 0, 0, 0, 0}));
    // A mark, then B00V with B = V = -1.
    EXPECT_EQ(Decode(Format::Hdb3, {1, -1, 0, 0, -1}), (std::vector<int16_t>{1, 0, 0, 0, 0}));
    // The run's opening B00V clears its own first slot.
    EXPECT_EQ(Decode(Format::Hdb3, {1, 0, 0, 1, -1}), (std::vector<int16_t>{0, 0, 0, 0, 1}));
    // A mark that only looks like the first one of the run: no previous mark, no violation.
    EXPECT_EQ(Decode(Format::Hdb3, {-1, 0, -1}), (std::vector<int16_t>{0, 0, 1}));
}

TEST(LevelsToCodeBits, FirstSlotWithoutHistory) {
    EXPECT_EQ(Decode(Format::Ami, {-1, 1, 0}), (std::vector<int16_t>{0, 1, 0}));
    EXPECT_EQ(Decode(Format::Mlt3, {-1, 0, 1}), (std::vector<int16_t>{0, 1, 1}));
    EXPECT_EQ(Decode(Format::Mlt3, {1, 1, 0, -1, -1}), (std::vector<int16_t>{1, 0, 1, 1, 0}));
    EXPECT_EQ(Decode(Format::PolarNrzi, {-1, 1, 1}), (std::vector<int16_t>{0, 1, 0}));
    EXPECT_EQ(Decode(Format::UnipolarNrzi, {1, 1, 0}), (std::vector<int16_t>{1, 0, 1}));
}

TEST(LevelsToCodeBits, UnknownFormatIsReportedAndKeepsTheBits) {
    Symbols d{};
    Bits c{};
    c.fill(4);
    EXPECT_FALSE(LevelsToCodeBits(std::nullopt, d, c));
    for (int16_t bit : c)
        EXPECT_EQ(bit, 4);
}

}  // namespace
}  // namespace linelab::test
