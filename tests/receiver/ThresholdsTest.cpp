#include <gtest/gtest.h>

#include <cmath>

#include "common/Tables.h"
#include "receiver/Receiver.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

constexpr const char* kUnknownPattern = "Unknown Modulation Format for Thresholds";

class ThresholdsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.onSliderChange = [this] {
            SetThresholds(state, host, host);
            state.lBERRuns = 0;
        };
    }

    void Load(Format format, int slider) {
        const auto& t = Info(format).thresholds;
        std::copy(t.begin(), t.end(), state.dThresholds.begin());
        host.slider = slider;
    }

    RunState state;
    FakePorts host;
};

TEST_F(ThresholdsTest, OneThresholdFollowsTheSlider) {
    Load(Format::UnipolarNrz, 50);
    SetThresholds(state, host, host);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(state.dThresholds[i], 0.70710678, 1e-8);

    host.slider = 100;
    SetThresholds(state, host, host);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.dThresholds[i], 0.0);
    EXPECT_TRUE(host.sliderWrites.empty());  // one threshold may sit at zero
    EXPECT_EQ(host.slider, 100);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ThresholdsTest, TwoThresholdsAtTheTopForceTheSliderTo99) {
    Load(Format::Hdb3, 100);
    state.lBERRuns = 5;
    SetThresholds(state, host, host);
    ASSERT_EQ(host.sliderWrites, std::vector<int>{99});
    EXPECT_EQ(host.slider, 99);
    EXPECT_NEAR(state.dThresholds[0], 0.014142136, 1e-9);
    EXPECT_EQ(state.dThresholds[1], -state.dThresholds[0]);
    EXPECT_EQ(state.lBERRuns, 0);  // the slider's handling ran

    // The pattern survives: the next call finds two thresholds again.
    host.slider = 50;
    SetThresholds(state, host, host);
    EXPECT_NEAR(state.dThresholds[1], -0.70710678, 1e-8);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ThresholdsTest, FourLevelPatternKeepsItsShapeAtEveryPosition) {
    Load(Format::Pam4, 12);
    for (int v = 0; v <= 100; ++v) {
        host.slider = v;
        SetThresholds(state, host, host);
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
    SetThresholds(state, host, host);
    const double a = 50 * kSqrt2 / 100;
    EXPECT_DOUBLE_EQ(state.dThresholds[0], a);
    EXPECT_DOUBLE_EQ(state.dThresholds[1], a * 0.5);
    EXPECT_DOUBLE_EQ(state.dThresholds[2], -a * 0.5);
    EXPECT_DOUBLE_EQ(state.dThresholds[3], -a);

    SetThresholds(state, host, host);
    ASSERT_EQ(host.messages.size(), 2u);
    for (const Message& m : host.messages) {
        EXPECT_EQ(m.text, kUnknownPattern);
        EXPECT_FALSE(m.stopsTimer);
    }
}

// An owner that runs the handling but never moves the slider must not make the forcing
// recurse without end.
class StuckSliderHost : public FakePorts {
  public:
    RunState* state = nullptr;
    void SetThresholdSlider(int value) override {
        sliderWrites.push_back(value);
        SetThresholds(*state, *this, *this);
    }
};

TEST(ThresholdsStuckSlider, ForcingDoesNotRecurse) {
    RunState state;
    StuckSliderHost host;
    host.state = &state;
    host.slider = 100;
    const auto& t = Info(Format::Ami).thresholds;
    std::copy(t.begin(), t.end(), state.dThresholds.begin());
    SetThresholds(state, host, host);
    EXPECT_EQ(host.sliderWrites.size(), 1u);
    EXPECT_EQ(state.dThresholds[0], 0.0);
}

}  // namespace
}  // namespace linelab::test
