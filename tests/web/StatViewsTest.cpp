#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Bathtub.h"
#include "analysis/StatisticalEye.h"
#include "display/Canvas.h"
#include "display/Plots.h"
#include "sweep/EngineChunkRunner.h"
#include "tests/support/CountShare.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/SweepSnapshot.h"
#include "web/StatViews.h"

namespace linelab::web {
namespace {

using ViewsJson = nlohmann::json;

ViewsJson Views(Form1& form, bool bathtub = true) {
    return ViewsJson::parse(StatViewsJson(form, bathtub));
}

// The form given the settings, each as a user types it.
void Set(Form1& form, const std::vector<std::pair<std::string, std::string>>& settings) {
    for (const auto& [name, value] : settings)
        EXPECT_TRUE(form.SetText(name, value)) << name;
}

// Where the receive eye draws its sampling marker and its first threshold line, in its
// drawing units, as the eye routine draws them.
std::pair<double, double> MarkersOf(const Form1& form) {
    const int width = form.Picture(PictureId::picRxEye).width * kUnitsPerPixel;
    const int height = form.Picture(PictureId::picRxEye).height * kUnitsPerPixel;
    const auto lines = EyeMarkerLines(EyeViewOf(form.Controls(), form.State().dBaudRate),
                                      std::sqrt(2.0), form.State().dThresholds, width, height);
    EXPECT_GE(lines.size(), 4u);
    const Segment& a = lines[lines.size() - 2];
    const Segment& b = lines[lines.size() - 1];
    return {(a.x1 + b.x1) / 2, (lines[0].y1 + lines[1].y1) / 2};
}

// The eye routine's own scale, read off its markers at two places of each slider: drawing
// units = at + per * (hscSample or threshold).
struct Scale {
    double xAt = 0, xPer = 0, yAt = 0, yPer = 0;
};
Scale ScaleOf(Form1& form) {
    const int sample = form.Slider(SliderId::hscSample).value;
    const int threshold = form.Slider(SliderId::vscThreshold).value;
    EXPECT_TRUE(form.SetValue("hscSample", -16) && form.SetValue("vscThreshold", 30));
    const auto [x0, y0] = MarkersOf(form);
    const double t0 = form.State().dThresholds[0];
    EXPECT_TRUE(form.SetValue("hscSample", 16) && form.SetValue("vscThreshold", 70));
    const auto [x1, y1] = MarkersOf(form);
    const double t1 = form.State().dThresholds[0];
    EXPECT_TRUE(form.SetValue("hscSample", sample) && form.SetValue("vscThreshold", threshold));
    Scale scale;
    scale.xPer = (x1 - x0) / 32;
    scale.xAt = x0 + 16 * scale.xPer;
    scale.yPer = (y1 - y0) / (t1 - t0);
    scale.yAt = y0 - t0 * scale.yPer;
    return scale;
}

TEST(StatViews, ContoursLieWhereTheEyeDrawsTheirRates) {
    for (const char* mapping : {"Polar (N)RZ", "Unipolar (N)RZ", "AMI"}) {
        Form1 form;
        Set(form, {{"cmbScene", "Noise"}, {"cmbMod(0)", mapping}, {"cmbNoise", "0.003"}});
        const ViewsJson views = Views(form, false);
        ASSERT_EQ(views["problem"], "") << mapping;
        ASSERT_EQ(views["contours"].size(), 4u);
        EXPECT_TRUE(views["bathtub"].is_null());  // only what was asked for
        const Scale scale = ScaleOf(form);
        const SweepSettings settings = SweepSnapshot(form);
        const auto stats =
            ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
        ASSERT_TRUE(stats);
        // Where a line crosses a grid instant, the rate there, read back through the eye's
        // scale, is the line's.
        int checked = 0;
        for (const ViewsJson& contour : views["contours"]) {
            const double rate = contour["rate"];
            const auto s = contour["segments"].get<std::vector<double>>();
            for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
                const double instant = (s[i] - scale.xAt) / scale.xPer;
                if (std::abs(instant - std::round(instant)) > 1e-6) continue;
                const double value = (s[i + 1] - scale.yAt) / scale.yPer;
                const double there = WrongSideRate(*stats, static_cast<int>(std::round(instant)),
                                                   value, stats->noiseSigma);
                EXPECT_NEAR(std::log10(there), std::log10(rate), 0.5)
                    << mapping << " at " << instant << ", " << value;
                ++checked;
            }
            // Each label sits on its own line.
            const auto at = contour["labelAt"].get<std::vector<double>>();
            bool on = false;
            for (std::size_t i = 0; i + 1 < s.size(); i += 4)
                on |= s[i] == at[0] && s[i + 1] == at[1];
            EXPECT_TRUE(on) << mapping << " " << contour["label"];
        }
        EXPECT_GT(checked, 20) << mapping;
    }
}

TEST(StatViews, TheBestPlaceMovesTheSlidersThereThroughTheForm) {
    Form1 form;
    Set(form, {{"cmbScene", "Noise"}, {"cmbNoise", "0.02"}});
    ASSERT_TRUE(form.SetValue("hscSample", 24));
    ASSERT_TRUE(form.SetValue("vscThreshold", 20));
    const ViewsJson before = Views(form);
    ASSERT_EQ(before["problem"], "");
    const ViewsJson& best = before["best"];
    EXPECT_NE(best["hscSample"], 24);
    for (const auto& [name, value] : best.items())
        ASSERT_TRUE(form.SetValue(name, value.get<int>())) << name;
    const ViewsJson after = Views(form);
    EXPECT_EQ(after["bathtub"]["instantInUse"], best["hscSample"]);
    EXPECT_NEAR(after["bathtub"]["thresholdInUse"].get<double>(),
                before["bathtub"]["bestThreshold"].get<double>(), 0.01);
    // The readout tells the places in use, which are now the best.
    EXPECT_NE(after["readout"].get<std::string>().find(
                  "In use: instant " + std::to_string(best["hscSample"].get<int>())),
              std::string::npos);
    EXPECT_EQ(after["csv"].get<std::string>().rfind("curve,x,rate,data_rate\n", 0), 0u);
}

TEST(StatViews, SettingsWithoutStatisticsSayWhyAndOfferNothing) {
    Form1 form;
    Set(form, {{"cmbScene", "Noise"}, {"cmbMod(1)", "AMI"}});
    const ViewsJson views = Views(form);
    EXPECT_EQ(views["problem"], "none for these settings");
    EXPECT_TRUE(views["contours"].empty());
    EXPECT_TRUE(views["best"].is_null());
    EXPECT_TRUE(views["bathtub"].is_null());
}

// The BER Curve's statistical curve over [2, 12] dB in 10 steps, rates from 1e-15 on.
ViewsJson CurveOf(const SweepSettings& settings, double lowest = 1e-15) {
    return ViewsJson::parse(StatCurveJson(settings, 2, 12, 10, lowest));
}

// The data-bit rate the bathtub gives at the instant in use when the noise box holds the
// level the sweep gives `ebN0dB`: another way through the statistics to the same figure.
double BathtubRateAt(SweepSettings settings, double ebN0dB) {
    const double level = SweepPointsFor(settings, {ebN0dB}).front().dNoiseLevel;
    settings.config.noiseLevel = level;
    const auto stats = ComputeLinkStatistics(StatEyeSetupFor(settings, level));
    if (!stats) return -1;
    const Bathtub tub = ComputeBathtub(*stats, stats->noiseSigma);
    const auto at = std::find(tub.instants.begin(), tub.instants.end(), tub.instantInUse);
    return at == tub.instants.end() ? -1 : tub.byInstant[at - tub.instants.begin()].dataBits;
}

using ChainPicks = std::vector<std::pair<std::string, std::string>>;

class StatisticalCurveOfTheChain : public testing::TestWithParam<ChainPicks> {};

// Every value is the bathtub's at the sweep's own noise level for its Eb/N0, and the curve
// falls with Eb/N0: the chain as set, not the ideal receiver.
TEST_P(StatisticalCurveOfTheChain, IsTheBathtubsDataRateAtEachEbN0) {
    Form1 form;
    Set(form, GetParam());
    const SweepSettings settings = SweepSnapshot(form);
    const ViewsJson curve = CurveOf(settings);
    ASSERT_EQ(curve["problem"], "");
    const auto x = curve["ebN0"].get<std::vector<double>>();
    const auto y = curve["rate"].get<std::vector<double>>();
    ASSERT_EQ(x.size(), y.size());
    ASSERT_GE(x.size(), 4u);
    EXPECT_DOUBLE_EQ(x.front(), 2);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_NEAR(x[i], 2 + static_cast<double>(i), 1e-12);
        // Each reference is a bathtub of its own: under the sanitizers a share of them.
        if (i % test::kCountShare == 0) {
            EXPECT_NEAR(y[i], BathtubRateAt(settings, x[i]), 1e-9 * y[i]) << x[i] << " dB";
        }
        if (i > 0) {
            EXPECT_LT(y[i], y[i - 1]) << x[i] << " dB";
        }
    }
    // The rates below the lowest shown are left out, the rest kept as they were.
    const ViewsJson cut = CurveOf(settings, y[2]);
    EXPECT_EQ(cut["rate"].get<std::vector<double>>(),
              std::vector<double>(y.begin(), y.begin() + 3));
}

INSTANTIATE_TEST_SUITE_P(StatViews, StatisticalCurveOfTheChain,
                         testing::Values(ChainPicks{{"cmbScene", "Noise"}},
                                         ChainPicks{{"cmbScene", "Noise"}, {"cmbMod(0)", "AMI"}},
                                         ChainPicks{{"cmbScene", "Noise"},
                                                    {"cmbCode(0)", "Manchester"}},
                                         ChainPicks{{"cmbScene", "Full Channel"},
                                                    {"cmbMultipathDelay", "0.4"},
                                                    {"cmbMultipathMag", "20"}}));

TEST(StatViews, AStatisticalCurveThatCannotBeSaysWhy) {
    Form1 form;
    Set(form, {{"cmbScene", "Noise"}, {"cmbMod(1)", "AMI"}});
    const ViewsJson none = CurveOf(SweepSnapshot(form));
    EXPECT_EQ(none["problem"], "no statistics for this setting");
    EXPECT_TRUE(none["rate"].empty());
    Form1 other;
    Set(other, {{"cmbScene", "Noise"}, {"cmbCode(1)", "Differential"}});
    EXPECT_EQ(CurveOf(SweepSnapshot(other))["problem"],
              "the receiver decodes another code than the one sent");
}

}  // namespace
}  // namespace linelab::web
