// The texts of the running rate: lblBER's caption and the status bar's three fields.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "ui/Form1.h"
#include "ui/RunStatusText.h"

namespace linelab {
namespace {

struct CaptionCase {
    double mean;
    const char* caption;

    friend void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.mean; }
};

class Caption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Caption, TruncatesToFourDecimals) {
    EXPECT_EQ(BerCaption(GetParam().mean), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Means, Caption,
    ::testing::Values(CaptionCase{0.00019, "BER = 0.0001"}, CaptionCase{0.0123, "BER = 0.0123"},
                      CaptionCase{0.00009, "BER = 0"}, CaptionCase{0.0, "BER = 0"},
                      CaptionCase{0.5, "BER = 0.5"}, CaptionCase{0.123456, "BER = 0.1234"},
                      CaptionCase{1.0, "BER = 1"}));

// The state follows the timer (and Fast only while it runs); a stopped run shows no rate.
TEST(RunStatusText, StateAndRateFollowTheTimer) {
    Form1 form;
    const auto expect = [&form](bool fast, const char* state, const char* rate) {
        const RunStatusTexts texts = RunStatusTextsOf(form, fast, 12.5);
        EXPECT_EQ(texts.state, state) << state << (fast ? " fast" : "");
        EXPECT_EQ(texts.rate, rate) << state << (fast ? " fast" : "");
    };
    expect(false, "Running", "12.5 runs/s");
    expect(true, "Fast", "12.5 runs/s");
    form.ClickPause();
    expect(false, "Paused", "0.0 runs/s");
    expect(true, "Paused", "0.0 runs/s");
    form.ClickPause();
    expect(false, "Slow", "12.5 runs/s");
    expect(true, "Fast", "12.5 runs/s");
}

// One decimal always, whatever the locale; nothing that is not a rate shows as one.
TEST(RunStatusText, RateHasOneDecimal) {
    Form1 form;
    const struct {
        double measured;
        const char* rate;
    } cases[] = {
        {0.0, "0.0 runs/s"},        {0.04, "0.0 runs/s"},      {9.96, "10.0 runs/s"},
        {1234.56, "1234.6 runs/s"}, {2.25, "2.3 runs/s"},      {0.75, "0.8 runs/s"},
        {-3.0, "0.0 runs/s"},       {1e6, "1000000.0 runs/s"}, {std::nan(""), "0.0 runs/s"}};
    for (const auto& c : cases)
        EXPECT_EQ(RunStatusTextsOf(form, false, c.measured).rate, c.rate) << c.measured;
}

// The count shows only in the scenes that show the rate (4 to 6).
TEST(RunStatusText, RunsShowWhereTheRateIsShown) {
    Form1 form;
    for (int scene = 0; scene < 7; ++scene) {
        ASSERT_TRUE(form.ApplyScene(scene));
        const std::string runs = RunStatusTextsOf(form, false, 0).runs;
        EXPECT_EQ(runs, scene >= 4 ? "BER over 0 runs" : "") << scene;
    }
    form.Timer1_Timer();
    form.Timer1_Timer();
    EXPECT_EQ(RunStatusTextsOf(form, false, 0).runs, "BER over 2 runs");
}

}  // namespace
}  // namespace linelab
