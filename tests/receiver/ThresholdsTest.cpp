#include <gtest/gtest.h>

#include <cmath>

#include "common/Tables.h"
#include "receiver/Receiver.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

class ThresholdsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.onSliderChange = [this] {
            SetThresholds(state, host.slider, host);
            state.lBERRuns = 0;
        };
    }

    void Load(Format format, int slider) {
        const auto& t = Info(format).thresholds;
        std::copy(t.begin(), t.end(), state.dThresholds.begin());
        host.slider = slider;
    }

    // What an owner does: the thresholds set from its slider, the slider moved where they ask.
    void Apply() {
        const int used = SetThresholds(state, host.slider, host);
        if (used != host.slider) host.SetThresholdSlider(used);
    }

    RunState state;
    FakePorts host;
};

TEST_F(ThresholdsTest, OneThresholdFollowsTheSlider) {
    Load(Format::UnipolarNrz, 50);
    Apply();
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(state.dThresholds[i], 0.70710678, 1e-8);

    host.slider = 100;
    Apply();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.dThresholds[i], 0.0);
    EXPECT_TRUE(host.sliderWrites.empty());  // one threshold may sit at zero
    EXPECT_EQ(host.slider, 100);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ThresholdsTest, TwoThresholdsAtTheTopForceTheSliderTo99) {
    Load(Format::Hdb3, 100);
    state.lBERRuns = 5;
    Apply();
    ASSERT_EQ(host.sliderWrites, std::vector<int>{99});
    EXPECT_EQ(host.slider, 99);
    EXPECT_NEAR(state.dThresholds[0], 0.014142136, 1e-9);
    EXPECT_EQ(state.dThresholds[1], -state.dThresholds[0]);
    EXPECT_EQ(state.lBERRuns, 0);  // the slider's handling ran

    // The pattern survives: the next call finds two thresholds again.
    host.slider = 50;
    Apply();
    EXPECT_NEAR(state.dThresholds[1], -0.70710678, 1e-8);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ThresholdsTest, FourLevelPatternKeepsItsShapeAtEveryPosition) {
    Load(Format::Pam4, 12);
    for (int v = 0; v <= 100; ++v) {
        host.slider = v;
        Apply();
        const Thresholds& t = state.dThresholds;
        const int effective = v == 100 ? 99 : v;
        EXPECT_DOUBLE_EQ(t[0], (100 - effective) * kSqrt2 / 100) << v;
        EXPECT_EQ(t[1], 0.0) << v;
        EXPECT_EQ(t[2], -t[0]) << v;
        EXPECT_EQ(t[3], t[0]) << v;
    }
    EXPECT_EQ(host.sliderWrites, std::vector<int>{99});
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ThresholdsTest, UnknownPatternReportsOnEveryCall) {
    state.dThresholds = {1, 2, 3, 4, 0};
    host.slider = 50;
    Apply();
    const double a = 50 * kSqrt2 / 100;
    EXPECT_DOUBLE_EQ(state.dThresholds[0], a);
    EXPECT_DOUBLE_EQ(state.dThresholds[1], a * 0.5);
    EXPECT_DOUBLE_EQ(state.dThresholds[2], -a * 0.5);
    EXPECT_DOUBLE_EQ(state.dThresholds[3], -a);

    Apply();
    ASSERT_EQ(host.messages.size(), 2u);
    for (const Fault m : host.messages)
        EXPECT_EQ(m, Fault::UnknownThresholdPattern);
}

// The position used is returned, never written: an owner that does not move its slider
// still gets thresholds off the top, and nothing is called back.
TEST(ThresholdsStuckSlider, ReturnsThePositionUsedWithoutCallingBack) {
    RunState state;
    FakePorts host;
    const auto& t = Info(Format::Ami).thresholds;
    std::copy(t.begin(), t.end(), state.dThresholds.begin());
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(SetThresholds(state, 100, host), 99);
        EXPECT_NEAR(state.dThresholds[0], 0.014142136, 1e-9);
        EXPECT_EQ(state.dThresholds[1], -state.dThresholds[0]);
    }
    EXPECT_TRUE(host.sliderWrites.empty());
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace linelab::test
