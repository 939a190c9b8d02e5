// Replays random action sequences from a fixed seed through the fuzz harness: the same
// decoder and the same checks as the libFuzzer target, repeatable in every build.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/fuzz/FormFuzzHarness.h"

namespace linelab::fuzz {
namespace {

// Sequences per shard and shards: sized so the whole replay stays near a minute under the
// sanitizers on the CI machine. The shards run as separate test cases, so CTest can spread
// them over the cores.
constexpr int kSequencesPerShard = 32;
constexpr int kShards = 10;

std::vector<uint8_t> RandomBytes(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> length(16, 1536);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(length(rng)));
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(byte(rng));
    return bytes;
}

class FormReplay : public testing::TestWithParam<int> {};

TEST_P(FormReplay, RandomSequencesKeepEveryRule) {
    std::mt19937_64 rng(0x4c696e654c6162ULL + static_cast<uint64_t>(GetParam()));
    int ticks = 0;
    for (int sequence = 0; sequence < kSequencesPerShard; ++sequence) {
        const std::vector<uint8_t> bytes = RandomBytes(rng);
        FormFuzzHarness harness;
        const std::string fault = harness.Run(bytes);
        ASSERT_EQ(fault, "") << "sequence " << sequence << " of shard " << GetParam() << ":\n"
                             << harness.Reproducer(fault);
        ticks += harness.Ticks();
    }
    // A decoder that stopped producing ticks would check nothing of the run itself.
    EXPECT_GT(ticks, kSequencesPerShard * 4);
}

INSTANTIATE_TEST_SUITE_P(Shards, FormReplay, testing::Range(0, kShards));

}  // namespace
}  // namespace linelab::fuzz
