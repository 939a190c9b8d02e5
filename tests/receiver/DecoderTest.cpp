#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "receiver/LineDecoder.h"
#include "receiver/PreDecoder.h"
#include "tests/CaseName.h"
#include "transmit/Transmit.h"

namespace linelab::test {
namespace {

Bits Filled(std::vector<int16_t> head, int16_t rest = 0) {
    Bits b{};
    b.fill(rest);
    std::copy(head.begin(), head.end(), b.begin());
    return b;
}

std::vector<int16_t> Head(const Bits& b, int n) {
    return {b.begin(), b.begin() + n};
}

TEST(LineDecode, ManchesterInvalidPairsAreMarked) {
    Bits c = Filled({1, 0, 0, 1, 1, 1, 0, 0});
    Bits p{};
    LineDecode(LineCoding::Manchester, c, p);
    EXPECT_EQ(Head(p, 4), (std::vector<int16_t>{1, 0, kInvalidMark, kInvalidMark}));
}

TEST(LineDecode, FourB5BInverseHoldsExactlyTheSixteenDataWords) {
    // The data code groups, nibble 0 to 15.
    const std::vector<int> words = {0b11110, 0b01001, 0b10100, 0b10101, 0b01010, 0b01011,
                                    0b01110, 0b01111, 0b10010, 0b10011, 0b10110, 0b10111,
                                    0b11010, 0b11011, 0b11100, 0b11101};
    const auto& inverse = FourB5BInverse();
    int valid = 0;
    for (int value = 0; value < 32; ++value)
        valid += inverse[value] >= 0 ? 1 : 0;
    EXPECT_EQ(valid, 16);
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(inverse[words[n]], n);
    // Control groups: quiet, idle, J, K, T, R, halt.
    for (int control : {0b00000, 0b11111, 0b11000, 0b10001, 0b01101, 0b00111, 0b00100}) {
        EXPECT_EQ(inverse[control], -1) << control;
    }
}

TEST(LineDecode, FourB5BGroupsGoMostSignificantFirst) {
    // 01001 is nibble 1, 11100 nibble 14, 11111 (idle) invalid.
    Bits c = Filled({0, 1, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1});
    Bits p{};
    LineDecode(LineCoding::FourB5B, c, p);
    EXPECT_EQ(Head(p, 12), (std::vector<int16_t>{0, 0, 0, 1, 1, 1, 1, 0, kInvalidMark, kInvalidMark,
                                                 kInvalidMark, kInvalidMark}));
}

// Code bits made by the transmitter's line coder decode to its pre-coded bits over every data
// bit that 128 symbols carry (all 128 with a four-level mapping, where every code writes 256
// code bits; the 4B5B + NRZI run loses its last words, where the receiver's NRZI layer runs
// further than the sender's).
struct CodeCase {
    LineCoding code;
    bool pam4;
    int exact;  // data bits that must come back

    friend void PrintTo(const CodeCase& c, std::ostream* os) {
        PrintTo(c.code, os);
        *os << (c.pam4 ? ", 4-PAM" : "");
    }
};

class LineRoundTrip : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LineRoundTrip, DecodesThePreCodedBits) {
    const CodeCase c = GetParam();
    auto state = std::make_unique<RunState>();
    for (int run = 0; run < 20; ++run) {
        for (auto& bit : state->iPreData)
            bit = state->rng.Next() < 0.5 ? 1 : 0;
        LineCode(c.code, c.pam4, *state);
        Bits p{};
        LineDecode(c.code, state->iCodedData, p);
        for (int k = 0; k < c.exact; ++k)
            ASSERT_EQ(p[k], state->iPreData[k]) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, LineRoundTrip,
                         ::testing::Values(CodeCase{LineCoding::None, false, 128},
                                           CodeCase{LineCoding::Differential, false, 128},
                                           CodeCase{LineCoding::Manchester, false, 128},
                                           CodeCase{LineCoding::DiffManchester, false, 64},
                                           CodeCase{LineCoding::FourB5B, false, 128},
                                           CodeCase{LineCoding::FourB5BNrzi, false, 100},
                                           CodeCase{LineCoding::DiffManchester, true, 128},
                                           CodeCase{LineCoding::FourB5BNrzi, true, 128}));

TEST(PreDecode, ScrambleUsesTheRunsSequence) {
    Bits p = Filled({0, 1, 1, 0, kInvalidMark});
    Bits seq = Filled({1, 1, 0, 0, 1});
    Bits r{};
    PreDecode(PreCoding::Scramble, p, seq, r);
    // The invalid mark stays no data bit, so the error count still sees it.
    EXPECT_EQ(Head(r, 5), (std::vector<int16_t>{1, 0, 1, 0, 12}));
}

class PreRoundTrip : public ::testing::TestWithParam<PreCoding> {};

TEST_P(PreRoundTrip, ReturnsTheDataBits) {
    auto state = std::make_unique<RunState>();
    for (int run = 0; run < 20; ++run) {
        for (auto& bit : state->iData)
            bit = state->rng.Next() < 0.5 ? 1 : 0;
        PreCode(GetParam(), *state);
        Bits r{};
        PreDecode(GetParam(), state->iPreData, state->iScrambleSeq, r);
        for (int k = 0; k < 128; ++k)
            ASSERT_EQ(r[k], state->iData[k]) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(PreCodings, PreRoundTrip,
                         ::testing::Values(PreCoding::None, PreCoding::Differential,
                                           PreCoding::Scramble));

}  // namespace
}  // namespace linelab::test
