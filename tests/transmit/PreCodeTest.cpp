#include <memory>

#include <gtest/gtest.h>

#include "common/Reporter.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

std::unique_ptr<RunState> WithData(std::initializer_list<int16_t> head, int16_t rest) {
    auto state = std::make_unique<RunState>();
    state->iData.fill(rest);
    std::copy(head.begin(), head.end(), state->iData.begin());
    return state;
}

TEST(PreCode, NoneCopiesAll256Bits) {
    auto state = std::make_unique<RunState>();
    GenerateData(DataSource::Random, state->rng, state->iData);
    PreCode(PreCoding::None, *state);
    EXPECT_EQ(state->iPreData, state->iData);
}

TEST(PreCode, DifferentialExamples) {
    auto ones = WithData({}, 1);
    PreCode(PreCoding::Differential, *ones);
    for (int i = 0; i < kBits; ++i)
        ASSERT_EQ(ones->iPreData[i], i % 2 == 0 ? 1 : 0) << i;

    auto zeros = WithData({}, 0);
    zeros->iPreData.fill(1);
    PreCode(PreCoding::Differential, *zeros);
    for (int16_t bit : zeros->iPreData)
        ASSERT_EQ(bit, 0);

    auto mixed = WithData({0, 1, 1, 0, 1}, 0);
    PreCode(PreCoding::Differential, *mixed);
    EXPECT_EQ(std::vector<int16_t>(mixed->iPreData.begin(), mixed->iPreData.begin() + 5),
              (std::vector<int16_t>{0, 1, 0, 0, 1}));
}

TEST(PreCode, DifferentialIsUndoneByComparingNeighbours) {
    auto state = std::make_unique<RunState>();
    for (int run = 0; run < 5; ++run) {
        GenerateData(DataSource::Random, state->rng, state->iData);
        PreCode(PreCoding::Differential, *state);
        EXPECT_EQ(state->iPreData[0], state->iData[0]);
        for (int i = 1; i < kBits; ++i) {
            ASSERT_EQ(state->iPreData[i] != state->iPreData[i - 1] ? 1 : 0, state->iData[i]);
        }
    }
}

TEST(PreCode, ScrambleDrawsFreshBitsAfterTheSourceAndXorsThem) {
    auto state = std::make_unique<RunState>();
    Uniform oracle = state->rng;
    for (int16_t fill : {0, 1}) {
        state->iData.fill(fill);
        PreCode(PreCoding::Scramble, *state);
        for (int i = 0; i < kBits; ++i) {
            ASSERT_EQ(state->iScrambleSeq[i], oracle.Next() > 0.5 ? 1 : 0);
            ASSERT_EQ(state->iPreData[i],
                      fill == 0 ? state->iScrambleSeq[i] : 1 - state->iScrambleSeq[i]);
        }
    }
}

TEST(PreCode, SequenceStaysUntilTheNextScrambledRun) {
    auto state = std::make_unique<RunState>();
    GenerateData(DataSource::Random, state->rng, state->iData);
    PreCode(PreCoding::Scramble, *state);
    const Bits sequence = state->iScrambleSeq;
    PreCode(PreCoding::Differential, *state);
    PreCode(PreCoding::None, *state);
    EXPECT_EQ(state->iScrambleSeq, sequence);
}

TEST(PreCode, UnknownLeavesTheBitsAndDrawsNothing) {
    auto state = WithData({}, 1);
    state->iPreData.fill(3);
    Uniform before = state->rng;
    PreCode(std::nullopt, *state);
    for (int16_t bit : state->iPreData)
        ASSERT_EQ(bit, 3);
    EXPECT_EQ(state->rng.Next(), before.Next());
}

}  // namespace
}  // namespace linelab
