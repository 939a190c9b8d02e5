// The strips as the window shows them between runs: a strip slider or a new panel size
// repeats the last run's picture, the scroll slider picks the part of the run shown, and
// the window's own actions (Reset, the scene box's text).

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "FormTestSupport.h"
#include "display/Plots.h"
#include "tests/display/RecordingCanvas.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

constexpr int kStripW = 400 * kUnitsPerPixel;
constexpr int kStripH = 50 * kUnitsPerPixel;

bool Same(const std::vector<DrawnLine>& a, const std::vector<DrawnLine>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1 || a[i].x2 != b[i].x2 || a[i].y2 != b[i].y2 ||
            a[i].colour != b[i].colour)
            return false;
    }
    return true;
}

class StripViewTest : public ::testing::Test {
  protected:
    StripViewTest() {
        for (int i = 0; i < kStripPanels; ++i) {
            strips_[i] = std::make_unique<RecordingCanvas>(kStripW, kStripH);
            form_.AttachCanvas(StripPicture(i), strips_[i].get());
        }
    }
    ~StripViewTest() override {
        for (int i = 0; i < kStripPanels; ++i)
            form_.AttachCanvas(StripPicture(i), nullptr);
    }

    static PictureId StripPicture(int i) { return Describe(static_cast<StripPanel>(i)).picture; }
    RecordingCanvas& Strip(PictureId id) {
        return *strips_[static_cast<std::size_t>(DescriptorOf(id)->kindIndex)];
    }
    void Scroll(int value) { ASSERT_TRUE(form_.SetSliderValue(SliderId::hscDataScroll, value)); }

    Form1 form_;
    std::array<std::unique_ptr<RecordingCanvas>, kStripPanels> strips_;
};

struct Codes {
    const char* transmit;
    const char* receive;
};

class RedrawTest : public StripViewTest, public ::testing::WithParamInterface<Codes> {};

// "4B5B + NRZI": the receiver removes the NRZI layer from its code bits after drawing them,
// so a redraw from the arrays marked errors the run never made. A receiver decoding another
// code than the transmitter's used to pull the transmit strips onto its time scale.
TEST_P(RedrawTest, MovingAStripSliderShowsWhatTheRunDrew) {
    ASSERT_TRUE(form_.ApplyScene(4));
    ASSERT_TRUE(form_.SetText("cmbCode(0)", GetParam().transmit));
    ASSERT_TRUE(form_.SetText("cmbCode(1)", GetParam().receive));
    form_.Timer1_Timer();
    std::array<std::vector<DrawnLine>, kStripPanels> drawn;
    for (int i = 0; i < kStripPanels; ++i) {
        drawn[i] = strips_[i]->lines;
        ASSERT_FALSE(drawn[i].empty()) << i;
    }
    Scroll(1);
    Scroll(0);
    for (int i = 0; i < kStripPanels; ++i)
        EXPECT_TRUE(Same(strips_[i]->lines, drawn[i])) << NameOf(StripPicture(i));
}

INSTANTIATE_TEST_SUITE_P(Codes, RedrawTest,
                         ::testing::Values(Codes{"4B5B + NRZI", "4B5B + NRZI"},
                                           Codes{"Manchester", "None"}, Codes{"None", "4B5B"}));

TEST_F(StripViewTest, TheScrollSliderPicksThePartOfTheRunTheStripsShow) {
    form_.Timer1_Timer();  // scene 0: the data strip, 128 bits, 12 across the strip
    const auto expected = [this](int first) {
        RecordingCanvas canvas(kStripW, kStripH);
        const Bits& data = form_.State().iData;
        plotData(16, canvas, 12, std::span<const int16_t>(data).subspan(first),
                 std::span<const int16_t>(data).subspan(first), kBlue, 0, 1, 1);
        return canvas.lines;
    };
    const int maximum = form_.Slider(SliderId::hscDataScroll).max;
    Scroll(maximum);
    // The last stretch of the run: the strip ends with data bit 127 (10 2/3 strips a run).
    EXPECT_TRUE(Same(Strip(PictureId::picData).lines, expected(116)));
    form_.Timer1_Timer();  // the next run is drawn from the same place
    EXPECT_TRUE(Same(Strip(PictureId::picData).lines, expected(116)));
    Scroll(0);
    EXPECT_TRUE(Same(Strip(PictureId::picData).lines, expected(0)));
}

TEST_F(StripViewTest, ResetReturnsToTheLaunchStateAndRandomSequence) {
    Form1 launch;
    ASSERT_TRUE(form_.ApplyScene(5));
    ASSERT_TRUE(form_.SetText("cmbNoise", "0.4"));
    ASSERT_TRUE(form_.SetText("cmbMod(0)", "AMI"));
    ASSERT_TRUE(form_.SetValue("chkDecodedData", 0));
    form_.ClickPause();
    form_.Timer1_Timer();
    form_.Reset();
    EXPECT_EQ(test::Dump(form_), test::Dump(launch));
    EXPECT_EQ(form_.Timer().enabled, launch.Timer().enabled);
    EXPECT_EQ(form_.CanvasOf(PictureId::picData).ScaleWidth(), kStripW);  // still attached
    EXPECT_TRUE(Strip(PictureId::picData).lines.empty());
    form_.Timer1_Timer();
    launch.Timer1_Timer();
    EXPECT_EQ(form_.State().iData, launch.State().iData);
}

TEST_F(StripViewTest, ATypedSceneNameThatNamesNoSceneGivesWay) {
    ASSERT_TRUE(form_.ApplyScene(5));
    ASSERT_TRUE(form_.SetText("cmbNoise", "0.4"));
    EXPECT_FALSE(form_.ShowSceneName());  // the box already names the scene
    ASSERT_TRUE(form_.SetText("cmbScene", "Nois"));
    EXPECT_TRUE(form_.ShowSceneName());
    EXPECT_EQ(form_.List(ListId::cmbScene).text, "Noise");
    EXPECT_EQ(form_.List(ListId::cmbNoise).text, "0.4");  // the scene was not applied again
}

}  // namespace
}  // namespace linelab
