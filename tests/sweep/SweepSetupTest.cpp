// The one sweep set-up the window, the batch tool and the page share: the choices land in the
// settings, one point per Eb/N0, and the first point past the noise box's limit is named.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "receiver/Noise.h"
#include "sweep/SweepSetup.h"

namespace linelab {
namespace {

SweepSettings StartUp() {
    SweepSettings s;
    s.config.data = DataSource::Random;
    s.config.preCode = {PreCoding::None, PreCoding::None};
    s.config.code = {LineCoding::None, LineCoding::None};
    s.config.format = {Format::UnipolarNrz, Format::UnipolarNrz};
    return s;
}

struct LimitCase {
    const char* name;
    std::vector<double> ebN0dB;
    std::optional<double> beyond;  // the first point refused
};

class SweepNoiseLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(SweepNoiseLimit, NamesTheFirstPointPastTheLargestLevel) {
    const LimitCase& c = GetParam();
    const SweepSetup setup = SetUpSweep(StartUp(), {}, c.ebN0dB);
    ASSERT_EQ(setup.points.size(), c.ebN0dB.size());
    EXPECT_EQ(setup.Runnable(), !c.beyond.has_value());
    ASSERT_EQ(setup.beyondNoiseLimit.has_value(), c.beyond.has_value());
    if (c.beyond && std::isnan(*c.beyond)) {
        EXPECT_TRUE(std::isnan(*setup.beyondNoiseLimit));
    } else if (c.beyond) {
        EXPECT_EQ(*setup.beyondNoiseLimit, *c.beyond);
    }
    if (!setup.Runnable()) return;
    for (const SweepPoint& p : setup.points)
        EXPECT_LE(p.dNoiseLevel, kMaxNoiseLevel) << p.dEbN0dB;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Ranges, SweepNoiseLimit,
    ::testing::Values(LimitCase{"Usual", {0, 4, 8, 12}, std::nullopt},
                      LimitCase{"AtTheLimit", {-60}, std::nullopt},  // exactly 1e6 W/kHz
                      LimitCase{"JustPast", {-60.5}, -60.5},
                      LimitCase{"FirstOfTwo", {10, -70, -80}, -70},
                      LimitCase{"NotANumber", {0, kNaN}, kNaN}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SweepSetup, TheChoicesLandInTheSettingsAndThePointsFollowThem) {
    const std::vector<double> dB = {1, 2};
    const SweepSetup perRun =
        SetUpSweep(StartUp(), {NoiseScaling::PerRun, ThresholdChoice::AsSet}, dB);
    EXPECT_EQ(perRun.settings.config.noiseScaling, NoiseScaling::PerRun);
    EXPECT_EQ(perRun.settings.config.thresholdChoice, ThresholdChoice::AsSet);
    const SweepSetup fixed = SetUpSweep(StartUp(), {}, dB);
    EXPECT_EQ(fixed.settings.config.noiseScaling, NoiseScaling::Fixed);
    EXPECT_EQ(fixed.settings.config.thresholdChoice, ThresholdChoice::Midway);
    const std::vector<SweepPoint> direct = SweepPointsFor(fixed.settings, dB);
    for (std::size_t i = 0; i < dB.size(); ++i) {
        EXPECT_EQ(fixed.points[i].dNoiseLevel, direct[i].dNoiseLevel);
        EXPECT_EQ(fixed.points[i].decisions, direct[i].decisions);
    }
}

}  // namespace
}  // namespace linelab
