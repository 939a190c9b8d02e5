// The command-line contract of linelab-batch, checked through the executable itself.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ostream>
#include <sstream>

#include "tests/CaseName.h"
#include "tests/tools/JsonReader.h"
#include "tests/tools/RunProcess.h"
#include "tools/batch/BatchSession.h"
#include "tools/batch/StateDump.h"

namespace linelab::test {
namespace {

using ::testing::HasSubstr;

JsonValue DumpOf(const std::vector<std::string>& args) {
    const ProcessResult r = RunBatch(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return ParseJson(r.out);
}

std::vector<std::string> Strings(const JsonValue& array) {
    std::vector<std::string> out;
    for (const JsonValue& e : array.elements)
        out.push_back(e.text);
    return out;
}

TEST(BatchContract, AssignmentsRunTheWindowsCascades) {
    const JsonValue dump = DumpOf({"--runs", "0", "--dump",
                                   "cmbCode(1),dBaudRate,cmbTxModPC(1),vscThreshold,cmbMod(1)",
                                   "cmbCode(0)=Manchester", "cmbMod(0)=HDB3"});
    EXPECT_EQ(dump["cmbCode(1)"]["text"].text, "Manchester");
    EXPECT_EQ(dump["cmbMod(1)"]["text"].text, "HDB3");
    EXPECT_EQ(dump["dBaudRate"].number, 2.0);
    // A three-level format leaves only the full-width pulse on both sides.
    EXPECT_THAT(Strings(dump["cmbTxModPC(1)"]["items"]), ::testing::ElementsAre("100"));
    EXPECT_EQ(dump["vscThreshold"]["value"].number, 51);
}

TEST(BatchContract, LaterAssignmentsSeeTheListsEarlierOnesRefilled) {
    // A narrow pulse takes the raised-cosine shapes off the filter list.
    const ProcessResult r = RunBatch({"cmbTxModPC(0)=50", "cmbTxFilter(0)=RC"});
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr("\"SinglePole\""));
    EXPECT_THAT(r.err, ::testing::Not(HasSubstr("\"Root RC\"")));
}

struct Refusal {
    std::vector<std::string> args;
    std::string mentions;  // part of the one-line reason: the problem or the valid choices

    friend void PrintTo(const Refusal& r, std::ostream* os) {
        for (std::size_t i = 0; i < r.args.size(); ++i)
            *os << (i == 0 ? "" : " ") << ShortText(r.args[i]);
    }
};

class RefusedLine : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedLine, NothingRunsAndOneLineSaysWhy) {
    const ProcessResult r = RunBatch(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_THAT(r.err, HasSubstr(GetParam().mentions));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedLine,
    ::testing::Values(
        Refusal{{"cmbFoo=1"}, "cmbMultipathDelay"}, Refusal{{"lblBER=1"}, "vscThreshold"},
        Refusal{{"cmbNoise"}, "CONTROL=TEXT"}, Refusal{{"=0.4"}, "CONTROL=TEXT"},
        Refusal{{"cmbCode(0)=Foo"}, "\"Diff. Manchester\""},
        Refusal{{"cmbScene=Lesson 9"}, "\"Full Channel\""},
        Refusal{{"cmbTxFilter(0)=Matched"}, "\"Root RC\""}, Refusal{{"cmbMod(1)="}, "\"4-PAM\""},
        Refusal{{"cmbCode(0)=two\nlines"}, "two\\nlines"},
        Refusal{{"cmbNoise=" + std::string(201, '1')}, "200"},
        Refusal{{"hscSample=33"}, "-32 to 32"}, Refusal{{"vscThreshold=5.5"}, "0 to 100"},
        Refusal{{"vscThreshold= 5"}, "0 to 100"}, Refusal{{"hscDataScroll=38"}, "0 to 37"},
        Refusal{{"chkData=2"}, "0 or 1"}, Refusal{{"chkData=true"}, "0 or 1"},
        Refusal{{"--runs", "-1"}, "0 or more"}, Refusal{{"--runs", "ten"}, "0 or more"},
        Refusal{{"--runs"}, "0 or more"}, Refusal{{"--dump", "iData,,dBER"}, "dTotalResponse"},
        Refusal{{"--dump", "nope"}, "picRxEye"}, Refusal{{"--verbose"}, "--runs N"},
        Refusal{{"--step", "1"}, "--step goes with --lesson"},
        Refusal{{"--lesson", LINELAB_LESSONS_DIR "/why-line-codes.json", "--step", "-1"},
                "0 or more"},
        Refusal{{"--lesson", LINELAB_LESSONS_DIR "/why-line-codes.json", "--step", "6"},
                "--step 6: the lesson has 5 step(s)"},
        Refusal{{"--lesson", LINELAB_LESSONS_DIR "/pam4-noise.json", "--step", "1"},
                "the lesson has 0 step(s)"},
        Refusal{{"--stateye", "--bathtub"}, "give one of them"},
        Refusal{{"--bathtub", "--runs", "3"}, "does not combine"},
        Refusal{{"--stateye", "--sweep", "EbN0=0:1:2"}, "does not combine"},
        Refusal{{"--stateye", "cmbMod(1)=AMI"}, "same mapping at both ends"},
        // A good assignment before a refused one still runs nothing and prints nothing.
        Refusal{{"--dump", "dBER", "cmbNoise=0.4", "chkRxEye=7"}, "chkRxEye"}));

std::vector<std::string> CsvLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The statistical eye: every instant of the slider by 256 thresholds, one line each; the
// bathtubs: a line per instant and per threshold, then the readouts, each once.
TEST(BatchContract, StatisticalEyeAndBathtubsAsCsv) {
    const std::vector<std::string> noisy = {"cmbScene=Full Channel", "cmbNoise=0.01"};
    std::vector<std::string> args = {"--stateye"};
    args.insert(args.end(), noisy.begin(), noisy.end());
    const ProcessResult eye = RunBatch(args);
    ASSERT_EQ(eye.status, 0) << eye.err;
    const auto grid = CsvLines(eye.out);
    ASSERT_EQ(grid.size(), 1U + 65 * 256);
    EXPECT_EQ(grid[0], "sample,threshold,rate");
    EXPECT_THAT(grid[1], ::testing::StartsWith("-32,"));
    EXPECT_THAT(grid.back(), ::testing::StartsWith("32,"));
    args[0] = "--bathtub";
    const ProcessResult tub = RunBatch(args);
    ASSERT_EQ(tub.status, 0) << tub.err;
    const auto lines = CsvLines(tub.out);
    EXPECT_EQ(lines[0], "curve,x,rate,data_rate");
    std::map<std::string, int> curves;
    for (std::size_t i = 1; i < lines.size(); ++i)
        ++curves[lines[i].substr(0, lines[i].find(','))];
    const std::map<std::string, int> expected = {
        {"instant", 65},     {"threshold", 256},    {"in-use-instant", 1}, {"in-use-threshold", 1},
        {"best-instant", 1}, {"best-threshold", 1}, {"eye-width", 2},      {"eye-height", 2}};
    EXPECT_EQ(curves, expected);
    // Without noise the start-up eye is open at its middle: no wrong decision there.
    const auto quiet = CsvLines(RunBatch({"--bathtub"}).out);
    EXPECT_THAT(quiet, ::testing::Contains("in-use-instant,0,0,0"));
}

TEST(BatchContract, NoRunsDumpsTheStartupState) {
    const JsonValue dump =
        DumpOf({"--runs", "0", "--dump", "controls,bFiltersValid,lBERRuns,dTxEyeScale,iData"});
    EXPECT_FALSE(dump["bFiltersValid"].boolean);
    EXPECT_EQ(dump["lBERRuns"].number, 0);
    EXPECT_EQ(dump["dTxEyeScale"].number, 1.5);
    const auto bits = dump["iData"].Numbers();
    EXPECT_EQ(bits.size(), 256u);
    EXPECT_TRUE(std::all_of(bits.begin(), bits.end(), [](double b) { return b == 0; }));

    const JsonValue& controls = dump["controls"];
    EXPECT_EQ(controls["cmbScene"]["text"].text, "Just Data");
    EXPECT_EQ(controls["lblBER"]["caption"].text, "BER");
    EXPECT_EQ(controls["cmdPause"]["caption"].text, "Pause");
    EXPECT_TRUE(controls["Timer1"]["enabled"].boolean);
    EXPECT_EQ(controls["Timer1"]["interval"].number, 100);
    EXPECT_TRUE(controls["picData"]["visible"].boolean);
    EXPECT_FALSE(controls["picRxEye"]["visible"].boolean);

    EXPECT_EQ(RunBatch({"--runs", "0"}).out, "BER\n");
}

// The whole "controls" object against the model's own start-up: every control present,
// in order, with every property it has.
TEST(BatchContract, ControlsHoldsEveryControlOfTheWindow) {
    const JsonValue controls = DumpOf({"--runs", "0", "--dump", "controls"})["controls"];
    const Form1 form;
    const auto names = ControlNames();
    ASSERT_EQ(controls.members.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const ControlRef ref = AllControls()[i];
        const auto& [name, value] = controls.members[i];
        ASSERT_EQ(name, names[i]);
        if (ref.kind == ControlKind::Timer) continue;
        EXPECT_EQ(value["visible"].boolean, form.Visible(ref)) << name;
        if (ref.kind == ControlKind::List) {
            const ListControl& list = form.List(static_cast<ListId>(ref.index));
            EXPECT_EQ(value["text"].text, list.text) << name;
            EXPECT_EQ(Strings(value["items"]), list.items) << name;
        } else if (ref.kind == ControlKind::Slider) {
            const SliderControl& s = form.Slider(static_cast<SliderId>(ref.index));
            EXPECT_EQ(value["value"].number, s.value) << name;
            EXPECT_EQ(value["min"].number, s.min) << name;
            EXPECT_EQ(value["max"].number, s.max) << name;
        } else if (ref.kind == ControlKind::CheckBox) {
            const CheckControl& c = form.Check(static_cast<CheckId>(ref.index));
            EXPECT_EQ(value["value"].number, c.value) << name;
            EXPECT_EQ(value["caption"].text, c.caption) << name;
        } else if (ref.kind == ControlKind::Label) {
            EXPECT_EQ(value["caption"].text, form.Label(static_cast<LabelId>(ref.index)).caption);
        }
    }
}

// Every number of the dump reads back as the very double the simulation holds, checked
// against the same session run in this process.
TEST(BatchContract, DumpedNumbersReadBackExactly) {
    const std::vector<Assignment> assignments = {
        {"cmbScene", "Full Channel"}, {"cmbNoise", "0.4"},         {"cmbTxFilter(0)", "RC"},
        {"cmbTxEB(0)", "30"},         {"cmbMultipathMag", "20"},   {"cmbMod(0)", "4-PAM"},
        {"cmbLowPass", "2.5"},        {"cmbMultipathDelay", "0.6"}};
    std::vector<std::string> args = {"--runs", "3", "--dump", ""};
    for (std::string_view name : StateFieldNames()) {
        if (!args[3].empty()) args[3] += ',';
        args[3] += name;
    }
    for (const Assignment& a : assignments)
        args.push_back(a.control + "=" + a.text);
    const JsonValue dump = DumpOf(args);

    std::ostringstream messages;
    BatchSession session(messages);
    ASSERT_FALSE(session.Apply(assignments));
    ASSERT_EQ(session.Run(3), 3u);
    const RunState& s = session.Form().State();
    const auto same = [](const auto& expected, const std::vector<double>& got) {
        if (expected.size() != got.size()) return false;
        for (std::size_t i = 0; i < got.size(); ++i) {
            const auto want = static_cast<double>(expected[i]);
            if (std::bit_cast<uint64_t>(want) != std::bit_cast<uint64_t>(got[i])) return false;
        }
        return true;
    };
    EXPECT_TRUE(same(s.responses.dTotalResponse, dump["dTotalResponse"].Numbers()));
    EXPECT_TRUE(same(s.dRxTimeData, dump["dRxTimeData"].Numbers()));
    EXPECT_TRUE(same(s.dNoise, dump["dNoise"].Numbers()));
    EXPECT_TRUE(same(session.Form().Views().dRxSpectrumAvg, dump["dRxSpectrumAvg"].Numbers()));
    EXPECT_TRUE(same(s.dThresholds, dump["dThresholds"].Numbers()));
    EXPECT_TRUE(same(s.iRxData, dump["iRxData"].Numbers()));
    EXPECT_EQ(std::bit_cast<uint64_t>(s.dBER), std::bit_cast<uint64_t>(dump["dBER"].number));
    EXPECT_EQ(dump["dScale"].number, s.dScale);
    EXPECT_EQ(dump["dBaudRate"].number, 0.5);
    EXPECT_EQ(dump["lBERRuns"].number, 3);
}

TEST(BatchContract, ABerMeasurementWithNoiseGivesTheSameFigureTwice) {
    const std::vector<std::string> args = {"--runs", "200", "cmbScene=Noise", "cmbNoise=0.4"};
    const ProcessResult first = RunBatch(args);
    const ProcessResult second = RunBatch(args);
    EXPECT_EQ(first.status, 0);
    EXPECT_THAT(first.out, ::testing::MatchesRegex("BER = 0\\.[0-9]+\n"));
    EXPECT_EQ(first.out, second.out);
    // Without noise the same chain makes no errors, so the figure above is the noise's.
    EXPECT_EQ(RunBatch({"--runs", "20", "cmbScene=Noise"}).out, "BER = 0\n");
}

TEST(BatchContract, TypedTextsOfAnyBytesComeOutAsValidJson) {
    const std::string typed = "0.4 \"q\" \\ \t\x01\x7f caf\xc3\xa9 \xff\xc3 end";
    const JsonValue dump = DumpOf({"--runs", "0", "--dump", "cmbNoise", "cmbNoise=" + typed});
    EXPECT_EQ(dump["cmbNoise"]["text"].text,
              "0.4 \"q\" \\ \t\x01\x7f caf\xc3\xa9 \xef\xbf\xbd\xef\xbf\xbd end");
}

TEST(BatchContract, DumpNamesComeOnceInTheOrderAsked) {
    const JsonValue dump =
        DumpOf({"--runs", "0", "--dump", "dBER,iCodeBaud", "--dump=dBER,Timer1,cmdPause"});
    ASSERT_EQ(dump.members.size(), 4u);
    EXPECT_EQ(dump.members[0].first, "dBER");
    EXPECT_EQ(dump.members[1].first, "iCodeBaud");
    EXPECT_EQ(dump.members[2].first, "Timer1");
    EXPECT_EQ(dump.members[3].first, "cmdPause");
}

TEST(BatchContract, HelpNamesEveryOptionControlAndItem) {
    const ProcessResult r = RunBatch({"--help"});
    EXPECT_EQ(r.status, 0);
    for (std::string_view option : {"--runs N", "--dump NAME", "cmbScene=Noise cmbNoise="})
        EXPECT_THAT(r.out, HasSubstr(std::string(option)));
    const Form1 form;
    for (std::string_view name : ControlNames())
        EXPECT_THAT(r.out, HasSubstr(std::string(name)));
    for (const ListControl& list : form.Lists()) {
        for (const std::string& item : list.items)
            EXPECT_THAT(r.out, HasSubstr("\"" + item + "\"")) << list.name;
    }
    for (std::string_view name : StateFieldNames())
        EXPECT_THAT(r.out, HasSubstr(std::string(name)));
}

}  // namespace
}  // namespace linelab::test

namespace linelab::test {
namespace {

// A lesson saved after the runs opens before the assignments of a later call: the same
// settings, and a bad file refused like a bad assignment.
TEST(BatchContract, LessonsSavedAndOpened) {
    const std::string file = ::testing::TempDir() + "batch-lesson.json";
    const ProcessResult saved = RunBatch({"--runs", "2", "--save-lesson", file, "cmbScene=Noise",
                                          "cmbMod(0)=4-PAM", "cmbNoise=0.4", "vscThreshold=40"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::vector<std::string> dump = {"--runs", "0", "--dump", "controls"};
    std::vector<std::string> withLesson = dump;
    withLesson.insert(withLesson.end(), {"--lesson", file});
    const ProcessResult opened = RunBatch(withLesson);
    const ProcessResult direct = RunBatch({"--runs", "0", "--dump", "controls", "cmbScene=Noise",
                                           "cmbMod(0)=4-PAM", "cmbNoise=0.4", "vscThreshold=40"});
    EXPECT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, direct.out);
    // Assignments come after the lesson.
    EXPECT_EQ(DumpOf({"--lesson", file, "--runs", "0", "--dump", "cmbNoise",
                      "cmbNoise=0.8"})["cmbNoise"]["text"]
                  .text,
              "0.8");

    const ProcessResult bad = RunBatch({"--lesson", ::testing::TempDir(), "--dump", "dBER"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_THAT(bad.err, HasSubstr("is a directory"));
    const ProcessResult unwritable =
        RunBatch({"--runs", "0", "--save-lesson", ::testing::TempDir() + "no/such/dir.json"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("dir.json: cannot be created"));
    // An empty name is refused like any bad option, not taken as "no lesson".
    for (const char* option : {"--save-lesson", "--lesson"}) {
        const ProcessResult empty = RunBatch({"--runs", "0", option, ""});
        EXPECT_EQ(empty.status, 2) << option;
        EXPECT_THAT(empty.err, HasSubstr("needs a file name")) << option;
    }
}

struct StepCase {
    std::string step;
    std::string code;
    std::string format;
};

// --step N: the lesson's own settings, then its steps 1 to N, then the assignments.
TEST(BatchContract, StepAppliesTheLessonsStepsUpToIt) {
    const std::string lesson = LINELAB_LESSONS_DIR "/why-line-codes.json";
    for (const StepCase& c : std::vector<StepCase>{{"0", "None", "Unipolar (N)RZ"},
                                                   {"2", "None", "Polar (N)RZ"},
                                                   {"3", "None", "AMI"},
                                                   {"4", "Manchester", "Polar (N)RZ"},
                                                   {"5", "4B5B + NRZI", "Polar (N)RZ"}}) {
        const JsonValue dump = DumpOf({"--lesson", lesson, "--step", c.step, "--runs", "0",
                                       "--dump", "cmbCode(1),cmbMod(0)"});
        EXPECT_EQ(dump["cmbCode(1)"]["text"].text, c.code) << c.step;
        EXPECT_EQ(dump["cmbMod(0)"]["text"].text, c.format) << c.step;
    }
    // Without --step the lesson opens at its start; assignments still come last.
    EXPECT_EQ(
        RunBatch({"--lesson", lesson, "--runs", "0", "--dump", "controls"}).out,
        RunBatch({"--lesson", lesson, "--step", "0", "--runs", "0", "--dump", "controls"}).out);
    EXPECT_EQ(DumpOf({"--lesson", lesson, "--step", "5", "--runs", "0", "--dump", "cmbMod(0)",
                      "cmbMod(0)=AMI"})["cmbMod(0)"]["text"]
                  .text,
              "AMI");
}

}  // namespace
}  // namespace linelab::test
