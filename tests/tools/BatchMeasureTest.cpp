// linelab-batch's measurements: --sweep through the executable (the CSV, its determinism and
// its refusals) and the measurement dump names.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "tests/tools/JsonReader.h"
#include "tests/tools/RunProcess.h"
#include "tools/batch/BatchSession.h"

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
    EXPECT_EQ(lines[0],
              "ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high,theory,runner,"
              "interval_low,interval_high,interval_method,noise,thresholds,decisions");
    EXPECT_TRUE(lines[1].ends_with(",fixed,midway,midway")) << lines[1];  // the textbook's receiver
    EXPECT_EQ(lines[1].substr(0, 4), "0,1,");  // 0 dB is 1 W/kHz for polar NRZ
    EXPECT_EQ(lines[4].substr(0, 2), "6,");
    EXPECT_TRUE(lines[1].find(",folded,") != std::string::npos) << lines[1];
    // The full chain on request, named in the same column.
    auto engine = one;
    engine.insert(engine.end(), {"--runner", "engine"});
    EXPECT_TRUE(Lines(RunBatch(engine).out)[1].find(",engine,") != std::string::npos);
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
        {{"--sweep", "EbN0=-70:10:0"}, "-70 dB needs more noise"},
        {{"--sweep", "EbN0=0:1:2", "--runner", "fast"}, "folded or engine"},
        {{"--sweep", "EbN0=0:1:2", "--noise", "loud"}, "fixed or per-run"},
        {{"--sweep", "EbN0=0:1:2", "--thresholds", "Midway"}, "midway or as-set"},
        {{"--noise", "fixed"}, "go with --sweep"},
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

double Field(const std::string& dump, const std::string& name) {
    for (const auto& [key, value] : ParseJson(dump).members)
        if (key == name) return value.number;
    ADD_FAILURE() << name << " missing in " << dump;
    return -1;
}

// The counts are the ones behind the BER: with every run comparing the same bits, the mean
// of the run rates is the pooled rate; a restart (a click on the sampling slider) starts
// them again with the next run.
TEST(BatchDump, BitCountsFollowTheBerAndItsRestarts) {
    std::ostringstream messages;
    BatchSession session(messages);
    session.Measure();
    const Assignment setup[] = {{"cmbScene", "Noise"}, {"cmbNoise", "0.4"}};
    ASSERT_FALSE(session.Apply(setup));
    session.Run(40);
    BatchOptions options;
    options.dump = true;
    options.dumpNames = {"BitErrors", "BitsCompared", "BERLow", "BERHigh", "dBER"};
    std::string dump = session.Output(options);
    const double errors = Field(dump, "BitErrors");
    EXPECT_EQ(Field(dump, "BitsCompared"), 40 * 112);
    EXPECT_NEAR(errors / (40 * 112), Field(dump, "dBER"), 1e-12);
    EXPECT_LT(Field(dump, "BERLow"), Field(dump, "dBER"));
    EXPECT_GT(Field(dump, "BERHigh"), Field(dump, "dBER"));
    const Assignment restart[] = {{"hscSample", "2"}};
    ASSERT_FALSE(session.Apply(restart));
    EXPECT_EQ(Field(session.Output(options), "BitsCompared"), 0);  // nothing since the restart
    session.Run(3);
    EXPECT_EQ(Field(session.Output(options), "BitsCompared"), 3 * 112);
}

// The eye's figures come from the runs since the receive eye was cleared: a
// clean polar eye is two levels apart with no spread, a noisy one has a finite Q whose
// prediction is near the measured rate.
TEST(BatchDump, EyeFiguresOfTheReceiveEye) {
    const ProcessResult clean =
        RunBatch({"--runs", "20", "--dump", "Eye", "cmbScene=Noise", "cmbMod(0)=Polar (N)RZ",
                  "cmbTxFilter(0)=Root RC", "cmbTxFilter(1)=Matched"});
    ASSERT_EQ(clean.status, 0) << clean.err;
    const JsonValue eye = ParseJson(clean.out).members[0].second;
    ASSERT_EQ(eye.members.size(), 6u);
    EXPECT_EQ(eye.members[2].first, "height");
    ASSERT_EQ(eye.members[2].second.elements.size(), 1u);
    EXPECT_NEAR(eye.members[0].second.elements[1].number, 1.0, 0.02);  // the +1 level's mean
    EXPECT_GT(eye.members[2].second.elements[0].number, 1.8);          // nearly fully open
    EXPECT_GT(eye.members[3].second.elements[0].number, 0.5);          // wide open too
    const ProcessResult noisy =
        RunBatch({"--runs", "300", "--dump", "Eye,dBER", "cmbScene=Noise", "cmbNoise=0.4"});
    const JsonValue dump = ParseJson(noisy.out);
    const JsonValue& noisyEye = dump.members[0].second;
    EXPECT_EQ(noisyEye.members[4].first, "q");
    EXPECT_NEAR(noisyEye.members[5].second.number, dump.members[1].second.number, 0.02);
    // Without the receive eye the same runs are sampled: the opening does not follow the box.
    const ProcessResult on = RunBatch({"--runs", "5", "--dump", "Eye"});
    const ProcessResult off = RunBatch({"--runs", "5", "--dump", "Eye", "chkRxEye=0"});
    EXPECT_EQ(ParseJson(off.out).members[0].second.members[0].second.elements.size(), 2u);
    EXPECT_EQ(off.out, on.out);
}

}  // namespace
}  // namespace linelab::test
