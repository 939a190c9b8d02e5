// The session's run loop and message lines: a run that stops the timer ends the runs.
// (No assignment can make a run stop the timer: every list whose text a run could fail
// to recognise takes only its own items. The loop is driven here through the pause
// button, which stops the timer the same way.)

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "tests/CaseName.h"
#include "tools/batch/BatchOptions.h"
#include "tools/batch/BatchSession.h"

namespace linelab::test {
namespace {

TEST(BatchSession, MessagesAreOneLineEach) {
    std::ostringstream messages;
    BatchSession session(messages);
    session.Report("Unknown Modulation Type", true);
    session.Report("two\nlines\r", false);
    EXPECT_EQ(messages.str(), "message: Unknown Modulation Type\nmessage: two lines \n");
}

TEST(BatchSession, NoRunOnceTheTimerIsOff) {
    std::ostringstream messages;
    BatchSession session(messages);
    EXPECT_EQ(session.Run(2), 2u);
    EXPECT_FALSE(session.TimerStopped());
    session.Form().ClickPause();  // "Pause": the timer stops
    ASSERT_TRUE(session.TimerStopped());
    EXPECT_EQ(session.Run(5), 0u);
    EXPECT_EQ(session.Form().State().lBERRuns, 2);
    session.Form().ClickPause();  // "Cont": running again, slowly
    EXPECT_EQ(session.Run(3), 3u);
    EXPECT_EQ(session.Form().State().lBERRuns, 5);
}

TEST(BatchSession, OutputIsTheBerCaptionOrTheDump) {
    std::ostringstream messages;
    BatchSession session(messages);
    BatchOptions options;
    EXPECT_EQ(session.Output(options), "BER\n");
    session.Run(1);
    EXPECT_EQ(session.Output(options), session.Form().Label(LabelId::lblBER).caption + "\n");
    options.dump = true;
    options.dumpNames = {"lBERRuns", "bFiltersValid"};
    EXPECT_EQ(session.Output(options), "{\"lBERRuns\":1,\"bFiltersValid\":true}\n");
}

struct RunCountCase {
    std::string_view text;
    std::optional<uint64_t> runs;

    friend void PrintTo(const RunCountCase& c, std::ostream* os) { *os << ShortText(c.text); }
};

class RunCount : public ::testing::TestWithParam<RunCountCase> {};

TEST_P(RunCount, DigitsOnlyUpTo64Bits) {
    EXPECT_EQ(ParseRunCount(GetParam().text), GetParam().runs);
}

constexpr uint64_t kMaxRuns = UINT64_MAX;
INSTANTIATE_TEST_SUITE_P(
    Texts, RunCount,
    ::testing::Values(RunCountCase{"0", 0}, RunCountCase{"10000", 10000}, RunCountCase{"007", 7},
                      RunCountCase{"18446744073709551615", kMaxRuns},
                      RunCountCase{"18446744073709551616", std::nullopt},
                      RunCountCase{"99999999999999999999999999999", std::nullopt},
                      RunCountCase{"", std::nullopt}, RunCountCase{"-1", std::nullopt},
                      RunCountCase{"+1", std::nullopt}, RunCountCase{" 1", std::nullopt},
                      RunCountCase{"1e3", std::nullopt}, RunCountCase{"1.0", std::nullopt}));

}  // namespace
}  // namespace linelab::test
