// Replays the argument fuzzer's seeds, one per hostile case, and a fixed set of their
// mutations through its checks, the same in every build.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/fuzz/ArgumentFuzzCheck.h"

namespace linelab::fuzz {
namespace {

constexpr int kMutationsPerSeed = 300;

std::map<std::string, std::string> Seeds() {
    std::map<std::string, std::string> seeds;  // sorted by name, whatever the folder's order
    for (const auto& entry : std::filesystem::directory_iterator(LINELAB_ARGUMENT_SEEDS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    return seeds;
}

ArgumentCheck Check(const std::string& bytes) {
    return CheckArgumentInput({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

// Bytes a hostile caller puts in arguments, and the separators that move them between
// options and values.
std::string Mutated(std::string bytes, std::mt19937_64& rng) {
    static const std::string kOdd = std::string("\0\xff\n\x1b=,:-9 \xc2\x9b", 13);
    std::uniform_int_distribution<std::size_t> odd(0, kOdd.size() - 1);
    for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = rng() % bytes.size();
        switch (rng() % 3) {
            case 0:
                bytes[at] = kOdd[odd(rng)];
                break;
            case 1:
                bytes.insert(at, 1 + rng() % 24, kOdd[odd(rng)]);
                break;
            default:
                bytes.erase(at, 1 + rng() % 8);
                break;
        }
    }
    return bytes;
}

TEST(ArgumentReplay, EachSeedGivesItsOutcomeWithEveryRuleKept) {
    const std::map<std::string, bool> accepted = {{"assignment-huge-spaced-text", false},
                                                  {"assignments-odd-bytes", false},
                                                  {"dump-huge-name", false},
                                                  {"force-without-save", false},
                                                  {"name-not-utf8", true},
                                                  {"parser-edges", true},
                                                  {"runner-control-characters", false},
                                                  {"runner-huge-value", false},
                                                  {"runner-invalid-utf8", false},
                                                  {"runs-past-64-bits", false},
                                                  {"save-standard-output", true},
                                                  {"sweep-counts-past-64-bits", false}};
    const auto seeds = Seeds();
    ASSERT_EQ(seeds.size(), accepted.size());
    for (const auto& [name, bytes] : seeds) {
        const ArgumentCheck check = Check(bytes);
        EXPECT_EQ(check.fault, "") << name;
        ASSERT_TRUE(accepted.contains(name)) << name;
        EXPECT_EQ(check.accepted, accepted.at(name)) << name;
    }
}

TEST(ArgumentReplay, MutatedSeedsKeepEveryRule) {
    std::mt19937_64 rng(37);
    for (const auto& [name, bytes] : Seeds()) {
        for (int i = 0; i < kMutationsPerSeed; ++i) {
            const std::string input = Mutated(bytes, rng);
            const ArgumentCheck check = Check(input);
            ASSERT_EQ(check.fault, "") << name << " mutation " << i;
        }
    }
}

}  // namespace
}  // namespace linelab::fuzz
