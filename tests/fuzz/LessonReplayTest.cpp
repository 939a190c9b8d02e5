// Replays a fixed set of mutated lesson files through the lesson fuzz target's checks:
// the example lessons with bytes flipped, cut, inserted, and with values, names and
// sections swapped for wrong ones, the same in every build.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "tests/fuzz/LessonFuzzCheck.h"

namespace linelab::fuzz {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kMutationsPerSeed = 200;

std::vector<std::string> Seeds() {
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(LINELAB_LESSONS_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(seeds.begin(), seeds.end());  // the directory's order is the file system's
    return seeds;
}

// Values a careless or hostile editor might write in place of a setting.
const std::vector<Json>& OddValues() {
    static const std::vector<Json> values = {-1,
                                             0,
                                             1,
                                             2,
                                             33,
                                             2147483648LL,
                                             -9223372036854775807LL - 1,
                                             1e308,
                                             0.5,
                                             true,
                                             nullptr,
                                             "",
                                             "None",
                                             "4-PAM",
                                             "100",
                                             std::string(300, '9'),
                                             "\xC3\xA9t\xC3\xA9",
                                             std::string("a\0b", 3),
                                             Json::array(),
                                             Json::object(),
                                             Json::array({1, 2})};
    return values;
}

std::string Structural(const std::string& seed, std::mt19937_64& rng) {
    Json lesson = Json::parse(seed);
    const auto pick = [&rng](std::size_t n) {
        return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(rng));
    };
    const std::vector<std::string> keys = {"scene",  "lists",   "checks", "sliders", "run",
                                           "format", "version", "view",   "steps",   "title"};
    const std::string& key = keys[pick(keys.size())];
    const Json& odd = OddValues()[pick(OddValues().size())];
    switch (pick(4)) {
        case 0:  // a whole entry replaced or removed
            if (pick(2) == 0) {
                lesson[key] = odd;
            } else {
                lesson.erase(key);
            }
            break;
        case 1:  // one control's value, or one step
            if (lesson[key].is_array() && !lesson[key].empty()) {
                lesson[key][pick(lesson[key].size())] = pick(2) == 0 ? odd : Json::object();
            } else if (lesson[key].is_object() && !lesson[key].empty()) {
                auto it = lesson[key].begin();
                std::advance(it, static_cast<std::ptrdiff_t>(pick(lesson[key].size())));
                it.value() = odd;
            }
            break;
        case 2:  // a control moved to another group, or one that does not exist
            if (lesson["lists"].is_object())
                lesson[pick(2) == 0 ? "checks" : "lists"][pick(2) == 0 ? "cmbCode(1)" : "cmbX"] =
                    odd;
            break;
        default: {  // the groups in reverse, which a reader must not depend on
            Json reversed = Json::object();
            for (auto it = lesson.rbegin(); it != lesson.rend(); ++it)
                reversed[it.key()] = it.value();
            lesson = reversed;
            break;
        }
    }
    return lesson.dump(pick(2) == 0 ? -1 : 2);
}

std::string Bytewise(std::string text, std::mt19937_64& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    const auto at = [&rng, &text] {
        return std::uniform_int_distribution<std::size_t>(0, text.size())(rng);
    };
    const int edits = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
            case 0:
                text[std::min(at(), text.size() - 1)] = static_cast<char>(byte(rng));
                break;
            case 1:
                text.resize(at());
                break;
            default:
                text.insert(at(), 1, static_cast<char>(byte(rng)));
                break;
        }
    }
    return text;
}

class LessonReplay : public testing::TestWithParam<int> {};

TEST_P(LessonReplay, MutatedLessonsKeepTheReadersRules) {
    const std::vector<std::string> seeds = Seeds();
    ASSERT_EQ(seeds.size(), 6u);
    const std::string& seed = seeds[static_cast<std::size_t>(GetParam())];
    std::mt19937_64 rng(0x4c6573736f6eULL + static_cast<uint64_t>(GetParam()));
    int accepted = 0;
    for (int i = 0; i < kMutationsPerSeed; ++i) {
        const std::string text = i % 2 == 0 ? Structural(seed, rng) : Bytewise(seed, rng);
        const LessonCheck check =
            CheckLessonInput({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        ASSERT_EQ(check.fault, "") << "mutation " << i << ":\n" << text;
        accepted += check.accepted ? 1 : 0;
    }
    // Both paths must be exercised: mutations that all fail to parse would check little.
    EXPECT_GT(accepted, kMutationsPerSeed / 10);
    EXPECT_LT(accepted, kMutationsPerSeed * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(ExampleLessons, LessonReplay, testing::Range(0, 6));

}  // namespace
}  // namespace linelab::fuzz
