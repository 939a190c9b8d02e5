// linelab-batch --sweep through the executable: the CSV, its determinism and its refusals.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "tests/tools/RunProcess.h"

namespace linelab::test {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The same seed gives the same bytes on one thread and on two, point lines in order.
TEST(BatchSweep, CsvIsTheSameForOneAndTwoJobs) {
    const std::vector<std::string> args = {"--sweep",
                                           "EbN0=0:2:6",
                                           "--min-errors",
                                           "60",
                                           "--seed",
                                           "11",
                                           "cmbMod(0)=Polar (N)RZ",
                                           "cmbTxFilter(0)=Root RC",
                                           "cmbTxFilter(1)=Matched"};
    auto one = args;
    one.insert(one.end(), {"--jobs", "1"});
    auto two = args;
    two.insert(two.end(), {"--jobs", "2"});
    const ProcessResult a = RunBatch(one);
    const ProcessResult b = RunBatch(two);
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.err, "");
    EXPECT_EQ(a.out, b.out);
    const auto lines = Lines(a.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high,theory");
    EXPECT_EQ(lines[1].substr(0, 4), "0,1,");  // 0 dB is 1 W/kHz for polar NRZ
    EXPECT_EQ(lines[4].substr(0, 2), "6,");
    // Another seed draws other noise.
    auto other = one;
    other[5] = "12";
    EXPECT_NE(RunBatch(other).out, a.out);
}

TEST(BatchSweep, MalformedSweepsAreRefusedAndSayTheForm) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--sweep", "0:1:8"}, "EbN0=FROM:STEP:TO"},
        {{"--sweep", "EbN0=0:0:8"}, "EbN0=FROM:STEP:TO"},
        {{"--sweep", "EbN0=0:0.001:100"}, "at most 1000"},
        {{"--sweep"}, "--sweep needs a value"},
        {{"--sweep", "EbN0=0:1:2", "--jobs", "0"}, "1 or more"},
        {{"--sweep", "EbN0=0:1:2", "--jobs", "999"}, "at most 256"},
        {{"--sweep", "EbN0=0:1:2", "--max-bits", "-5"}, "--max-bits"},
        {{"--sweep", "EbN0=0:1:2", "--dump", "dBER"}, "does not combine"},
        {{"--seed", "4"}, "go with --sweep"},
        {{"--sweep", "EbN0=0:1:2", "cmbFoo=1"}, "cmbNoise"},
    };
    for (const auto& [args, mention] : refusals) {
        const ProcessResult r = RunBatch(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_THAT(r.err, HasSubstr(mention)) << r.err;
    }
    const ProcessResult help = RunBatch({"--help"});
    EXPECT_THAT(help.out, HasSubstr("--sweep EbN0=FROM:STEP:TO"));
    EXPECT_THAT(help.out, HasSubstr("ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high"));
}

// The setting's Eb/N0 as the noise computation makes it: 0.1 W/kHz is 10 dB for a plain
// code, and no noise (the box hidden at start-up) is null.
TEST(BatchDump, EbN0OfTheSettingOrNullWithoutNoise) {
    const ProcessResult noisy =
        RunBatch({"--runs", "0", "--dump", "EbN0dB,EsN0dB", "cmbScene=Noise", "cmbNoise=0.1"});
    EXPECT_EQ(noisy.status, 0) << noisy.err;
    EXPECT_EQ(noisy.out, "{\"EbN0dB\":10,\"EsN0dB\":10}\n");
    const ProcessResult pam = RunBatch({"--runs", "0", "--dump", "EbN0dB,EsN0dB", "cmbScene=Noise",
                                        "cmbNoise=0.1", "cmbMod(0)=4-PAM"});
    EXPECT_THAT(pam.out, HasSubstr("\"EsN0dB\":16.02059991327"));
    const ProcessResult quiet = RunBatch({"--runs", "0", "--dump", "EbN0dB", "cmbNoise=0.1"});
    EXPECT_EQ(quiet.out, "{\"EbN0dB\":null}\n");
    EXPECT_THAT(RunBatch({"--help"}).out, HasSubstr("EbN0dB"));
}

}  // namespace
}  // namespace linelab::test
