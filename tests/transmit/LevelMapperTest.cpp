#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Reporter.h"
#include "common/TextNumber.h"
#include "tests/CaseName.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

struct Width {
    std::string text;
    int16_t sixteenths;

    friend void PrintTo(const Width& w, std::ostream* os) { *os << test::ShortText(w.text); }
};

class PulseWidthText : public testing::TestWithParam<Width> {};

TEST_P(PulseWidthText, RoundsAndClampsToSixteenths) {
    EXPECT_EQ(PulseWidth(Val(GetParam().text)), GetParam().sixteenths);
}

INSTANTIATE_TEST_SUITE_P(Texts, PulseWidthText,
                         testing::Values(Width{"100", 16}, Width{"75", 12}, Width{"50", 8},
                                         Width{"25", 4}, Width{"60", 10}, Width{"abc", 1},
                                         Width{"", 1}, Width{"0", 1}, Width{"300", 16},
                                         Width{"-5", 1}, Width{"1e999", 16}, Width{"-1e999", 1},
                                         Width{"  40%", 6}, Width{"\xF0\x9F\x98\x80", 1},
                                         Width{std::string(10000, '9'), 16}));

// Code bits given by their first entries, the rest repeated; the levels mapped from them.
Symbols Mapped(Format format, const std::vector<int16_t>& head, int16_t rest = 0) {
    Bits coded;
    coded.fill(rest);
    std::copy(head.begin(), head.end(), coded.begin());
    Symbols levels{};
    MapLevels(format, 16, coded, levels);
    return levels;
}

std::vector<int16_t> Head(const Symbols& levels, std::size_t n) {
    return {levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(n)};
}

struct Example {
    Format format;
    std::vector<int16_t> code;
    int16_t rest;
    std::vector<int16_t> levels;

    // The format, then the code bits: the given head and the repeated rest.
    friend void PrintTo(const Example& e, std::ostream* os) {
        PrintTo(e.format, os);
        *os << (e.code.empty() ? ", all " : ", ");
        for (int16_t bit : e.code)
            *os << bit;
        *os << (e.code.empty() ? "" : " then ") << e.rest << "s";
    }
};

class Mapping : public testing::TestWithParam<Example> {};

TEST_P(Mapping, GivesTheLevels) {
    const Example& e = GetParam();
    EXPECT_EQ(Head(Mapped(e.format, e.code, e.rest), e.levels.size()), e.levels);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Mapping,
    testing::Values(Example{Format::UnipolarNrz, {1, 0, 1}, 0, {1, 0, 1, 0}},
                    Example{Format::UnipolarNrzi, {1, 1, 0, 1}, 0, {1, 0, 0, 1, 1}},
                    Example{Format::PolarNrz, {1, 0, 1}, 0, {1, -1, 1, -1}},
                    Example{Format::PolarNrzi, {1, 1, 0, 1}, 0, {1, -1, -1, 1, 1}},
                    Example{Format::Ami, {}, 1, {1, -1, 1, -1, 1}},
                    Example{Format::Ami, {}, 0, {0, 0, 0}},
                    Example{Format::Mlt3, {}, 1, {1, 0, -1, 0, 1, 0, -1, 0, 1}},
                    Example{Format::Mlt3, {0, 1, 0, 0, 1}, 0, {0, 1, 1, 1, 0, 0}},
                    Example{Format::Hdb3, {}, 0, {1, 0, 0, 1, -1, 0, 0, -1, 1, 0, 0, 1}},
                    Example{Format::Hdb3, {1, 0, 0, 0, 0}, 0, {1, 0, 0, 0, 1, -1, 0, 0, -1}},
                    Example{Format::Hdb3, {1, 1, 0, 0, 0, 0}, 0, {1, -1, 1, 0, 0, 1}},
                    Example{Format::Pam4, {0, 0, 1, 1, 0, 1, 1, 0}, 0, {-3, 3, -1, 1, -3}}));

// The receiver's reading of HDB3 levels: a pulse with the polarity of the last mark is a
// violation and clears itself and the balancing pulse three places before it.
std::vector<int16_t> Hdb3Decode(const Symbols& d) {
    std::vector<int16_t> c(kSymbols, 0);
    int mark = d[0] == 1 ? 1 : 0;
    c[0] = static_cast<int16_t>(mark);
    for (int k = 1; k < kSymbols; ++k) {
        if (mark != 0 && d[k] == mark) {
            c[k] = 0;
            if (k > 2) c[k - 3] = 0;
        } else if (d[k] != 0) {
            c[k] = 1;
            mark = d[k];
        }
    }
    return c;
}

TEST(Hdb3, RandomRunsDecodeBackAndNeverHoldFourZeroLevels) {
    Uniform rng;
    Bits coded{};
    Symbols levels{};
    for (int run = 0; run < 50; ++run) {
        GenerateData(run % 2 ? DataSource::Zeros75 : DataSource::Random, rng, coded);
        MapLevels(Format::Hdb3, 16, coded, levels);
        const std::vector<int16_t> sent(coded.begin(), coded.begin() + kSymbols);
        ASSERT_EQ(Hdb3Decode(levels), sent) << run;
        int zeros = 0;
        for (int16_t level : levels) {
            zeros = level == 0 ? zeros + 1 : 0;
            ASSERT_LT(zeros, 4);
        }
    }
}

TEST(Pam4, ReadsAll256CodeBitsInPairs) {
    Uniform rng;
    Bits coded{};
    Symbols levels{};
    GenerateData(DataSource::Random, rng, coded);
    MapLevels(Format::Pam4, 16, coded, levels);
    for (int i = 0; i < kSymbols; ++i)
        ASSERT_EQ((levels[i] + 3) / 2, 2 * coded[2 * i] + coded[2 * i + 1]);
}

struct Scale {
    Format format;
    double amplitude;
    int slider;

    friend void PrintTo(const Scale& s, std::ostream* os) { PrintTo(s.format, os); }
};

class FormatTable : public testing::TestWithParam<Scale> {};

TEST_P(FormatTable, ScaleIsAmplitudeTimes16OverTheWidth) {
    const Bits coded{};
    Symbols levels{};
    const std::array<std::pair<const char*, int>, 4> widths = {
        {{"100", 16}, {"50", 8}, {"60", 10}, {"0", 1}}};
    for (const auto& [text, d] : widths) {
        const LevelMap map = MapLevels(GetParam().format, PulseWidth(Val(text)), coded, levels);
        EXPECT_EQ(map.dScale, GetParam().amplitude * 16 / d);
        EXPECT_EQ(map.iTxDutyCycle, d);
    }
}

TEST_P(FormatTable, DefaultThresholdsGiveTheSliderPosition) {
    EXPECT_EQ(ThresholdSliderFor(DefaultThresholds(GetParam().format)[0]), GetParam().slider);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatTable,
    testing::Values(Scale{Format::UnipolarNrz, std::sqrt(2.0), 51},
                    Scale{Format::UnipolarNrzi, std::sqrt(2.0), 51},
                    Scale{Format::PolarNrz, 1.0, 100}, Scale{Format::PolarNrzi, 1.0, 100},
                    Scale{Format::Ami, std::sqrt(2.0), 51}, Scale{Format::Mlt3, std::sqrt(2.0), 51},
                    Scale{Format::Hdb3, 1.328, 51}, Scale{Format::Pam4, 0.6, 12}));

TEST(DefaultThresholds, ValuesOfTheThreeKinds) {
    const double half = 1.0 / std::sqrt(2.0);
    EXPECT_EQ(DefaultThresholds(Format::UnipolarNrz), (std::array{half, half, half, half}));
    EXPECT_EQ(DefaultThresholds(Format::Hdb3), (std::array{half, -half, half, half}));
    const auto& pam4 = DefaultThresholds(Format::Pam4);
    EXPECT_NEAR(pam4[0], 1.2522, 1e-4);
    EXPECT_EQ(pam4[1], 0.0);
    EXPECT_EQ(pam4[2], -pam4[0]);
    EXPECT_EQ(pam4[3], pam4[0]);
}

TEST(ThresholdSlider, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(ThresholdSliderFor(-1e300), 32767);
    EXPECT_EQ(ThresholdSliderFor(1e300), -32768);
}

TEST(MapLevels, UnknownFormatKeepsTheLevelsButReadsTheWidth) {
    Bits coded;
    coded.fill(1);
    Symbols levels;
    levels.fill(5);
    const LevelMap map = MapLevels(std::nullopt, PulseWidth(Val("60")), coded, levels);
    EXPECT_EQ(map.dScale, 0.0);
    EXPECT_EQ(map.iTxDutyCycle, 10);
    for (int16_t level : levels)
        ASSERT_EQ(level, 5);
}

}  // namespace
}  // namespace linelab
