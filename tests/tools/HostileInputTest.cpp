// What the most suspicious user of linelab-batch may give it: counts past 64 bits, control
// characters and stray bytes in values, names that are no UTF-8, a lesson of one huge
// token, standard output as the lesson to save, a read-only lesson.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/tools/RunProcess.h"
#include "tools/batch/BatchOptions.h"

namespace linelab::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr std::string_view kOnePast64Bits = "18446744073709551616";

std::optional<std::string> Refusal(std::vector<std::string_view> args) {
    return ParseArguments(args).error;
}

// One line of valid UTF-8 without escape characters for the terminal.
void ExpectOneCleanLine(const std::string& message) {
    EXPECT_EQ(message.find_first_of("\n\r\x1b"), std::string::npos) << message;
    EXPECT_NO_THROW((void)nlohmann::json(message).dump()) << message;  // throws on bad UTF-8
}

struct CountCase {
    std::vector<std::string_view> args;  // the count's value comes last
    std::string_view option;
};

class CountOption : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountOption, OnePastItsLimitIsRefusedWithTheLimitNamed) {
    std::vector<std::string_view> args = GetParam().args;
    args.push_back(kOnePast64Bits);
    const auto refusal = Refusal(args);
    ASSERT_TRUE(refusal);
    EXPECT_THAT(*refusal,
                HasSubstr(std::string(GetParam().option) +
                          " takes at most 18446744073709551615, not \"18446744073709551616\""));
    args.back() = "18446744073709551615";
    EXPECT_FALSE(Refusal(args).has_value()) << *Refusal(args);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CountOption,
    ::testing::Values(CountCase{{"--runs"}, "--runs"},
                      CountCase{{"--sweep", "EbN0=0:1:2", "--min-errors"}, "--min-errors"},
                      CountCase{{"--sweep", "EbN0=0:1:2", "--max-bits"}, "--max-bits"}),
    [](const auto& info) { return std::string(info.param.option.substr(2, 3)); });

TEST(HostileArguments, RefusedValuesAreQuotedOnOneLine) {
    for (const std::vector<std::string_view>& args : std::vector<std::vector<std::string_view>>{
             {"--sweep", "EbN0=0:1:2", "--runner", "x\ny\x1b[2J"},
             {"--sweep", "EbN0=0:1:2", "--runner", "\xff\xfe"},
             {"--sweep", "EbN0=0:1:2", "--noise",
              "\xc2\x9b"
              "2J"},
             {"--runs", "\x1b[2J"}}) {
        const auto refusal = Refusal(args);
        ASSERT_TRUE(refusal) << args.back();
        ExpectOneCleanLine(*refusal);
    }
    EXPECT_THAT(*Refusal({"--sweep", "EbN0=0:1:2", "--runner", "x\ny\x1b[2J"}),
                HasSubstr("not \"x\\ny\\u001b[2J\""));
    const std::string huge(1000000, 'r');
    EXPECT_LT(Refusal({"--sweep", "EbN0=0:1:2", "--runner", huge})->size(), 200u);
    EXPECT_THAT(*Refusal({"--runs", "0", "--force"}), HasSubstr("--force goes with --save-lesson"));
}

class HostileFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / ("linelab-hostile-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir_;
};

// A name that is no UTF-8 reaches the file system as its bytes, for a save and an open.
TEST_F(HostileFiles, NamesPassAsBytes) {
    const std::string file = (dir_ / "valid-\xff-name.json").string();
    ASSERT_EQ(RunBatch({"--runs", "0", "--save-lesson", file, "cmbNoise=0.3"}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "valid-\xff-name.json"));
    const ProcessResult opened = RunBatch({"--runs", "0", "--dump", "cmbNoise", "--lesson", file});
    EXPECT_EQ(opened.status, 0) << opened.err;
    EXPECT_THAT(opened.out, HasSubstr("0.3"));
}

// A refused lesson of one huge token is one short line, not a megabyte.
TEST_F(HostileFiles, AHugeTokenGivesAShortMessage) {
    std::ofstream(dir_ / "huge.json") << "{\"format\": tru" << std::string(1000000, 'e') << "}";
    const ProcessResult r = RunBatch({"--lesson", (dir_ / "huge.json").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_LT(r.err.size(), 400u) << r.err.substr(0, 400);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
}

// A read-only lesson is replaced only with --force, and the refusal comes before the runs.
TEST_F(HostileFiles, AReadOnlyLessonNeedsForce) {
    const fs::path file = dir_ / "ro.json";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms(0444));
    const ProcessResult refused = RunBatch({"--runs", "0", "--save-lesson", file.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_THAT(refused.err, HasSubstr("ro.json: is read-only; --force replaces it"));
    EXPECT_EQ(Read(file), "old");
    const ProcessResult forced =
        RunBatch({"--runs", "0", "--save-lesson", file.string(), "--force"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_THAT(Read(file), HasSubstr("linelab-lesson"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0444));
}

// Standard output by another name: the BER line's file is not replaced by the lesson.
TEST_F(HostileFiles, StandardOutputByAnotherNameIsNotReplaced) {
    for (const char* name : {"/dev/fd/1", "/proc/self/fd/1"}) {
        const fs::path out = dir_ / "out.txt";
        const std::string command = std::string("'") + LINELAB_BATCH_PATH +
                                    "' --runs 0 --save-lesson " + name + " >'" + out.string() +
                                    "' 2>'" + (dir_ / "err.txt").string() + "'";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << name << ": " << status;
        EXPECT_THAT(Read(out), ::testing::Not(HasSubstr("linelab-lesson"))) << name;
        EXPECT_THAT(Read(dir_ / "err.txt"), HasSubstr("standard output")) << name;
    }
}

}  // namespace
}  // namespace linelab::test
