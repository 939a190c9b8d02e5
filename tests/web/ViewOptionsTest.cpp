// The View options as the page's session gives them: switched by their lesson keys, the
// density eyes as images, the receive eye's calipers and figures, the theory's place, label
// and hint; and the calipers' shapes from the measured figures.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "ui/EyeCalipers.h"
#include "ui/PanelTable.h"
#include "ui/Readouts.h"
#include "web/Session.h"

namespace linelab::web {
namespace {

using Parsed = nlohmann::json;

struct ScratchSession {
    ScratchSession() : session(std::filesystem::temp_directory_path() / "linelab-view-test") {}
    Session session;
};

TEST(WebViewOptions, SwitchedByTheirLessonKeysInTheMenusOrder) {
    ScratchSession s;
    EXPECT_FALSE(s.session.SetViewOption("contours", true));
    for (const ViewOptionRow& row : kViewOptions) {
        ASSERT_TRUE(s.session.SetViewOption(row.key, true)) << row.key;
        const Parsed options = Parsed::parse(s.session.ViewOptionsJson());
        ASSERT_EQ(options.size(), kViewOptions.size());
        for (std::size_t i = 0; i < kViewOptions.size(); ++i) {
            EXPECT_EQ(options[i]["key"], kViewOptions[i].key);
            EXPECT_EQ(options[i]["menu"], kViewOptions[i].menu);
            EXPECT_FALSE(options[i]["tip"].get<std::string>().empty());
        }
        EXPECT_TRUE(s.session.Form().View()[row.id]);
        EXPECT_TRUE(options[static_cast<std::size_t>(row.id)]["on"]);
        ASSERT_TRUE(s.session.SetViewOption(row.key, false));
        EXPECT_FALSE(s.session.Form().View()[row.id]);
    }
}

// Density eyes count from the frame while on, whichever way they were switched on (the
// menu, a lesson), and only for the eyes shown and switched on.
TEST(WebViewOptions, DensityEyesAreImagesOfTheShownEyes) {
    ScratchSession s;
    ASSERT_TRUE(s.session.SetText("cmbScene", "Full Channel"));
    constexpr int kRx = static_cast<int>(EyePanel::Rx);
    EXPECT_FALSE(s.session.DensityShown(kRx));
    s.session.Form().SetViewOption(ViewOption::DensityEyes, true);  // as a lesson sets it
    EXPECT_TRUE(s.session.DensityShown(kRx));
    for (int i = 0; i < 5; ++i)
        s.session.Tick();
    const auto [width, height] = s.session.DensitySize(kRx);
    const std::vector<uint8_t> rgba = s.session.DensityRgba(kRx);
    ASSERT_EQ(rgba.size(), static_cast<std::size_t>(width) * height * 4);
    std::size_t lit = 0, ground = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        EXPECT_EQ(rgba[i + 3], 255);
        (rgba[i] || rgba[i + 1] || rgba[i + 2] ? lit : ground) += 1;
    }
    EXPECT_GT(lit, 0u);
    EXPECT_GT(ground, lit);  // traces on the desktop's black ground
    EXPECT_FALSE(s.session.RxEyeMarkers().empty());
    ASSERT_TRUE(s.session.Click("chkRxEye"));  // its box unticked: nothing to show
    EXPECT_FALSE(s.session.DensityShown(kRx));
    s.session.SetDensity(false);
    EXPECT_FALSE(s.session.Form().View()[ViewOption::DensityEyes]);
}

// The eye's figures show with View > Eye opening, as on the desktop, and the calipers come
// with them once a run has been measured.
TEST(WebViewOptions, EyeOpeningGivesTheCalipersAndTheFigures) {
    ScratchSession s;
    ASSERT_TRUE(s.session.SetText("cmbScene", "Noise"));
    const auto figuresShown = [&] {
        const Parsed shown = Parsed::parse(s.session.ReadoutsJson());
        const auto table = Readouts();
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].look == ReadoutLook::Figures && shown[i]["shown"]) return true;
        return false;
    };
    EXPECT_EQ(s.session.EyeOpeningJson(), "null");
    ASSERT_TRUE(s.session.SetViewOption("eyeOpening", true));
    EXPECT_TRUE(Parsed::parse(s.session.EyeOpeningJson())["lines"].empty());  // no run yet
    for (int i = 0; i < 10; ++i)
        s.session.Tick();
    const Parsed eye = Parsed::parse(s.session.EyeOpeningJson());
    EXPECT_EQ(eye["panel"], "picRxEye");
    const std::size_t levels = eye["figures"]["mean"].size();
    EXPECT_GE(levels, 2u);
    EXPECT_EQ(eye["spreads"].size(), levels);
    EXPECT_EQ(eye["figures"]["height"].size(), levels - 1);
    EXPECT_GE(eye["lines"].size(), levels);
    EXPECT_EQ(eye["runs"], 10);
    EXPECT_TRUE(figuresShown());
    ASSERT_TRUE(s.session.SetViewOption("eyeOpening", false));
    EXPECT_FALSE(figuresShown());
}

TEST(WebViewOptions, TheTheoryGoesOverTheTransmittersSpectrumOrSaysWhyNot) {
    ScratchSession s;
    EXPECT_EQ(Parsed::parse(s.session.TheoryJson()), Parsed({{"on", false}}));
    ASSERT_TRUE(s.session.SetViewOption("theory", true));
    const struct {
        const char* scene;
        const char* panel;  // "" none
    } cases[] = {{"Just Data", ""},
                 {"Tx Filter", "picChannelSpectrum"},
                 {"Full Tx", "picChannelSpectrum"},
                 {"Full Channel", "picTxSpectrum"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(s.session.SetText("cmbScene", c.scene)) << c.scene;
        const std::string check = *c.panel ? "chk" + std::string(c.panel).substr(3) : "";
        if (*c.panel &&
            s.session.Form().Check(static_cast<CheckId>(FindControl(check)->index)).value == 0) {
            ASSERT_TRUE(s.session.Click(check)) << check;
        }
        const Parsed theory = Parsed::parse(s.session.TheoryJson());
        if (*c.panel == '\0') {
            EXPECT_TRUE(theory["panel"].is_null()) << c.scene;
            EXPECT_EQ(theory["hint"],
                      "Theory: this scene shows no spectrum; Tx Filter and the scenes after it do");
            continue;
        }
        EXPECT_EQ(theory["panel"], c.panel) << c.scene;
        EXPECT_EQ(theory["hint"], "") << c.scene;
        ASSERT_EQ(theory["heights"].size(), static_cast<std::size_t>(kPlotPoints)) << c.scene;
        for (const auto& h : theory["heights"]) {
            EXPECT_GE(h.get<double>(), -1) << c.scene;
            EXPECT_LE(h.get<double>(), 2) << c.scene;
        }
        EXPECT_EQ(theory["label"],
                  std::string(c.panel) == "picTxSpectrum" ? "theory" : "theory (transmitter)");
        // Its box unticked, the status line says which to tick.
        ASSERT_TRUE(s.session.Click(check)) << check;
        EXPECT_EQ(Parsed::parse(s.session.TheoryJson())["hint"],
                  std::string("Theory: tick the box of the ") +
                      (std::string(c.panel) == "picTxSpectrum" ? "transmitter" : "channel") +
                      " spectrum to see it");
        ASSERT_TRUE(s.session.Click(check));
    }
}

// The calipers where the figures put them: a band of one sigma either side of each level's
// mean and a tick at the mean, brackets as long as the measured height and width, all at
// the sampling instant.
TEST(EyeCalipers, ShapesStandWhereTheFiguresPutThem) {
    const EyeGeometry geometry{3000, 2250, std::sqrt(2.0), 1000};
    const double xs = 1500;  // units
    EyeFigures figures;
    figures.levels = {{-1, 10, -0.8, 0.1}, {1, 10, 0.9, 0.05}};
    EyeGapFigures gap;
    gap.dThreshold = 0.05;
    gap.dHeight = 1.2;
    gap.dBottom = -0.6;
    gap.dWidth = 0.5;
    gap.dLeft = -0.2;
    figures.gaps = {gap};
    const CaliperShapes shapes = CalipersOf(figures, geometry, xs);
    const double x = xs / kUnitsPerPixel;
    ASSERT_EQ(shapes.spreads.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const EyeLevelFigures& level = figures.levels[i];
        const CaliperBox& band = shapes.spreads[i];
        EXPECT_DOUBLE_EQ(band.x + band.width / 2, x);
        EXPECT_DOUBLE_EQ(band.y, geometry.Y(level.dMean + level.dSigma));
        EXPECT_NEAR(band.y + band.height, geometry.Y(level.dMean - level.dSigma), 1e-9);
        EXPECT_EQ(shapes.lines[i],
                  (CaliperLine{x - 8, geometry.Y(level.dMean), x + 8, geometry.Y(level.dMean)}));
    }
    // Two ticks, then each bracket as its line and two caps.
    ASSERT_EQ(shapes.lines.size(), 2u + 3 + 3);
    const CaliperLine& height = shapes.lines[2];
    EXPECT_DOUBLE_EQ(height.x1, x);
    EXPECT_NEAR(height.y2 - height.y1, geometry.Y(gap.dBottom) - geometry.Y(gap.dBottom + 1.2),
                1e-9);
    const CaliperLine& width = shapes.lines[5];
    EXPECT_NEAR(width.x1, x + gap.dLeft * geometry.SymbolWidth(), 1e-9);
    EXPECT_NEAR(width.x2 - width.x1, gap.dWidth * geometry.SymbolWidth(), 1e-9);
    EXPECT_DOUBLE_EQ(width.y1, geometry.Y(gap.dThreshold));
    // None before a run, or in a panel with no size.
    EXPECT_TRUE(CalipersOf(figures, geometry, std::nullopt).lines.empty());
    EXPECT_TRUE(CalipersOf(figures, EyeGeometry{}, xs).spreads.empty());
}

}  // namespace
}  // namespace linelab::web
