// The argument parser's edges: repeated options, empty values and what is no option of
// ours all end in the tool's own refusal words, never the parser library's.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/batch/BatchOptions.h"

namespace linelab::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

ParsedArguments Parse(std::vector<std::string_view> args) {
    return ParseArguments(args);
}

TEST(Arguments, RepeatedOptionsAndBothSpellings) {
    const ParsedArguments p =
        Parse({"--runs", "3", "cmbNoise=0.4", "--runs=7", "--dump", "dBER", "--dump=iData,dBER"});
    ASSERT_FALSE(p.error) << *p.error;
    EXPECT_EQ(p.options.runs, 7u);
    EXPECT_THAT(p.options.dumpNames, ::testing::ElementsAre("dBER", "iData"));
    ASSERT_EQ(p.options.assignments.size(), 1u);
    EXPECT_EQ(p.options.assignments[0].text, "0.4");
    // A value that looks like a negative number is still the option's value.
    EXPECT_THAT(*Parse({"--runs", "-5"}).error, HasSubstr("0 or more, not \"-5\""));
}

TEST(Arguments, RefusalsUseTheToolsOwnWords) {
    for (const std::vector<std::string_view>& args : {std::vector<std::string_view>{"--"},
                                                      {"--dump="},
                                                      {"--runs="},
                                                      {"--runs", "2", "--dump"},
                                                      {"-x"},
                                                      {"--verbose=1"},
                                                      {"cmbNoise=0.4", "--runs", "x"}}) {
        const ParsedArguments p = Parse(args);
        ASSERT_TRUE(p.error) << args.front();
        EXPECT_THAT(*p.error, StartsWith("linelab-batch: ")) << args.front();
        EXPECT_THAT(*p.error, ::testing::Not(HasSubstr("required"))) << *p.error;
    }
    EXPECT_THAT(*Parse({"--"}).error, HasSubstr("unknown option \"--\""));
    EXPECT_TRUE(Parse({"--bogus", "--help"}).options.help);
}

// The seed is refused beyond 64 bits rather than capped: two seeds, one noise.
TEST(Arguments, SeedTakesExactly64Bits) {
    const auto seed = [](std::string_view text) {
        return Parse({"--sweep", "EbN0=0:1:2", "--seed", text});
    };
    const ParsedArguments largest = seed("18446744073709551615");
    ASSERT_FALSE(largest.error) << *largest.error;
    EXPECT_EQ(largest.options.sweep->seed, 18446744073709551615u);
    for (std::string_view bad :
         {"18446744073709551616", "99999999999999999999999", "-1", "+1", "1x", ""}) {
        ASSERT_TRUE(seed(bad).error) << bad;
        EXPECT_THAT(*seed(bad).error, HasSubstr("--seed")) << bad;
    }
}

}  // namespace
}  // namespace linelab::test
