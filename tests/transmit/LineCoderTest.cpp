#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "common/Reporter.h"
#include "tests/CaseName.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

using Code = LineCoding;
constexpr int16_t kUnwritten = 7;

// The sixteen data code groups, nibble 0000 first.
const std::array<std::string, 16> kWords = {"11110", "01001", "10100", "10101", "01010", "01011",
                                            "01110", "01111", "10010", "10011", "10110", "10111",
                                            "11010", "11011", "11100", "11101"};

std::string Repeat(const std::string& unit, int length) {
    std::string out;
    while (static_cast<int>(out.size()) < length)
        out += unit;
    return out.substr(0, static_cast<std::size_t>(length));
}

std::string Text(const Bits& bits, int from, int to) {
    std::string out;
    for (int i = from; i < to; ++i)
        out += static_cast<char>('0' + bits[i]);
    return out;
}

std::unique_ptr<RunState> Coded(Code code, bool pam4, int16_t fill) {
    auto state = std::make_unique<RunState>();
    state->iPreData.fill(fill);
    state->iCodedData.fill(kUnwritten);
    state->iModData.fill(kUnwritten);
    LineCode(code, pam4, *state);
    return state;
}

std::unique_ptr<RunState> CodedRandom(Code code, bool pam4, int run) {
    auto state = std::make_unique<RunState>();
    for (int i = 0; i <= run; ++i)
        GenerateData(DataSource::Random, state->rng, state->iData);
    state->iPreData = state->iData;
    state->iCodedData.fill(kUnwritten);
    LineCode(code, pam4, *state);
    return state;
}

struct Constant {
    Code code;
    int16_t fill;
    std::string unit;  // the repeating code pattern
    int end;           // code bits written without "4-PAM"
    int16_t baud;
    std::string tail;  // pattern of the positions 128.. when it differs (NRZI over 0..127)

    friend void PrintTo(const Constant& c, std::ostream* os) {
        PrintTo(c.code, os);
        *os << ", all " << c.fill << "s";
    }
};

class ConstantInput : public testing::TestWithParam<Constant> {};

TEST_P(ConstantInput, WritesThePlainRangeOnly) {
    const Constant& c = GetParam();
    auto state = Coded(c.code, false, c.fill);
    const std::string tail = c.tail.empty() ? c.unit : c.tail;
    const std::string expect =
        Repeat(c.unit, std::min(c.end, kSymbols)) + Repeat(tail, c.end).substr(kSymbols);
    EXPECT_EQ(Text(state->iCodedData, 0, c.end), expect);
    EXPECT_EQ(Text(state->iCodedData, c.end, kBits), std::string(kBits - c.end, '7'));
    EXPECT_EQ(state->iCodeBaud, c.baud);
}

TEST_P(ConstantInput, FourLevelRunsGetAll256CodeBitsAndNothingBeyond) {
    const Constant& c = GetParam();
    auto state = Coded(c.code, true, c.fill);
    EXPECT_EQ(Text(state->iCodedData, 0, kBits), Repeat(c.unit, kBits));
    for (int16_t level : state->iModData)
        ASSERT_EQ(level, kUnwritten);
    EXPECT_EQ(state->iCodeBaud, c.baud);
}

INSTANTIATE_TEST_SUITE_P(Codes, ConstantInput,
                         testing::Values(Constant{Code::None, 1, "1", 128, 12, ""},
                                         Constant{Code::None, 0, "0", 128, 12, ""},
                                         Constant{Code::Differential, 1, "10", 128, 12, ""},
                                         Constant{Code::Differential, 0, "0", 128, 12, ""},
                                         Constant{Code::Manchester, 1, "10", 256, 24, ""},
                                         Constant{Code::Manchester, 0, "01", 256, 24, ""},
                                         Constant{Code::DiffManchester, 1, "1001", 128, 24, ""},
                                         Constant{Code::DiffManchester, 0, "01", 128, 24, ""},
                                         Constant{Code::FourB5B, 1, "11101", 160, 15, ""},
                                         Constant{Code::FourB5B, 0, "11110", 160, 15, ""},
                                         Constant{Code::FourB5BNrzi, 1, "10110", 160, 15, "11101"},
                                         Constant{Code::FourB5BNrzi, 0, "10100", 160, 15,
                                                  "11110"}));

TEST(FourB5B, EachNibbleGivesItsWord) {
    std::set<std::string> seen;
    for (int n = 0; n < 16; ++n) {
        auto state = std::make_unique<RunState>();
        for (int i = 0; i < kBits; ++i)
            state->iPreData[i] = (n >> (3 - i % 4)) & 1;
        LineCode(Code::FourB5B, false, *state);
        EXPECT_EQ(Text(state->iCodedData, 0, 5), kWords[n]) << n;
        seen.insert(Text(state->iCodedData, 0, 5));
        // At most one leading and two trailing zeros: no more than three zeros in a row.
        EXPECT_LE(kWords[n].find('1'), 1u);
        EXPECT_GE(kWords[n].rfind('1'), 2u);
    }
    EXPECT_EQ(seen.size(), 16u);
}

// Reads the words back with the table and checks them against the pre-coded nibbles.
void ExpectWordsDecode(const RunState& s, int words) {
    for (int w = 0; w < words; ++w) {
        const auto* word =
            std::find(kWords.begin(), kWords.end(), Text(s.iCodedData, 5 * w, 5 * w + 5));
        ASSERT_NE(word, kWords.end()) << w;
        const int n = static_cast<int>(word - kWords.begin());
        for (int b = 0; b < 4; ++b)
            ASSERT_EQ(s.iPreData[4 * w + b], (n >> (3 - b)) & 1) << w;
    }
}

TEST(FourB5B, WordsStandInOrderAndTheFourLevelRunCutsTheLastWord) {
    auto plain = CodedRandom(Code::FourB5B, false, 0);
    ExpectWordsDecode(*plain, 32);
    auto pam4 = CodedRandom(Code::FourB5B, true, 1);
    ExpectWordsDecode(*pam4, 51);
    const int last = 8 * pam4->iPreData[204] + 4 * pam4->iPreData[205] + 2 * pam4->iPreData[206] +
                     pam4->iPreData[207];
    EXPECT_EQ(pam4->iCodedData[255], kWords[last][0] - '0');
}

class RandomInput : public testing::TestWithParam<bool> {};

TEST_P(RandomInput, DifferentialTogglesOnOnes) {
    const int n = GetParam() ? kBits : kSymbols;
    auto s = CodedRandom(Code::Differential, GetParam(), 2);
    EXPECT_EQ(s->iCodedData[0], s->iPreData[0]);
    for (int i = 1; i < n; ++i)
        ASSERT_EQ(s->iCodedData[i] != s->iCodedData[i - 1], s->iPreData[i] == 1);
    for (int i = n; i < kBits; ++i)
        ASSERT_EQ(s->iCodedData[i], kUnwritten);
}

TEST_P(RandomInput, DiffManchesterChangesMidBitAndAtTheStartOfZeros) {
    const int n = GetParam() ? kSymbols : kSymbols / 2;
    auto s = CodedRandom(Code::DiffManchester, GetParam(), 3);
    int16_t previous = 1;  // the level before the run
    for (int i = 0; i < n; ++i) {
        ASSERT_NE(s->iCodedData[2 * i], s->iCodedData[2 * i + 1]) << i;
        ASSERT_EQ(s->iCodedData[2 * i] != previous, s->iPreData[i] == 0) << i;
        previous = s->iCodedData[2 * i + 1];
    }
    for (int i = 2 * n; i < kBits; ++i)
        ASSERT_EQ(s->iCodedData[i], kUnwritten);
}

TEST_P(RandomInput, NrziChangesLevelWhereThePlainWordsHaveOnes) {
    const int n = GetParam() ? kBits : kSymbols;
    const int end = GetParam() ? kBits : 160;
    auto plain = CodedRandom(Code::FourB5B, GetParam(), 4);
    auto nrzi = CodedRandom(Code::FourB5BNrzi, GetParam(), 4);
    int16_t level = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(nrzi->iCodedData[i] != level, plain->iCodedData[i] == 1) << i;
        level = nrzi->iCodedData[i];
    }
    for (int i = n; i < kBits; ++i)
        ASSERT_EQ(nrzi->iCodedData[i], plain->iCodedData[i]) << i;
    for (int i = end; i < kBits; ++i)
        ASSERT_EQ(nrzi->iCodedData[i], kUnwritten) << i;
}

INSTANTIATE_TEST_SUITE_P(FourLevel, RandomInput, testing::Bool());

TEST(LineCode, UnknownKeepsTheCodeBitsAndSetsTheStripScaleTo12) {
    auto state = std::make_unique<RunState>();
    state->iPreData.fill(1);
    state->iCodedData.fill(kUnwritten);
    state->iCodeBaud = 24;
    LineCode(std::nullopt, true, *state);
    EXPECT_EQ(Text(state->iCodedData, 0, kBits), std::string(kBits, '7'));
    EXPECT_EQ(state->iCodeBaud, 12);
}

}  // namespace
}  // namespace linelab
