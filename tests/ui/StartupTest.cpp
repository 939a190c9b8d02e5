// The window as it stands after start-up: every list, default, caption, slider and the
// values the load sequence computes.

#include <cmath>
#include <ostream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FormTestSupport.h"

namespace linelab {
namespace {

using ::testing::ElementsAreArray;

struct ListDefault {
    const char* name;
    std::vector<std::string> items;
    const char* text;
    bool editable;

    friend void PrintTo(const ListDefault& l, std::ostream* os) { *os << l.name; }
};

const std::vector<std::string> kPulseWidthItems = {"100", "75", "50", "25"};
const std::vector<std::string> kBwItems = {"4", "2", "1", "0.7", "0.5", "0.4", "0.3", "0.2"};
const std::vector<std::string> kEbItems = {"100", "80", "50", "30", "10"};
const std::vector<std::string> kCodes = {"None", "Differential", "Manchester", "Diff. Manchester",
                                         "4B5B", "4B5B + NRZI"};
const std::vector<std::string> kFormats = {
    "Unipolar (N)RZ", "Unipolar (N)RZI", "Polar (N)RZ", "Polar (N)RZI", "AMI", "MLT3", "HDB3",
    "4-PAM"};

class StartupLists : public ::testing::TestWithParam<ListDefault> {};

TEST_P(StartupLists, HoldItemsDefaultAndEditability) {
    Form1 form;
    const ListDefault& expected = GetParam();
    const auto id = FindControl(expected.name);
    ASSERT_TRUE(id.has_value());
    const ListControl& list = form.List(static_cast<ListId>(id->index));
    EXPECT_THAT(list.items, ElementsAreArray(expected.items));
    EXPECT_EQ(list.text, expected.text);
    EXPECT_EQ(list.editable, expected.editable);
}

INSTANTIATE_TEST_SUITE_P(
    EveryList, StartupLists,
    ::testing::Values(
        ListDefault{"cmbData",
                    {"Random Data", "Exponential Runs", "PRBS Length 7", "75% Zeros", "75% Ones",
                     "All Zeros", "All Ones"},
                    "Random Data",
                    false},
        ListDefault{"cmbPreCode(0)", {"None", "Differential", "Scramble"}, "None", false},
        ListDefault{"cmbPreCode(1)", {"None", "Differential", "Scramble"}, "None", false},
        ListDefault{"cmbCode(0)", kCodes, "None", false},
        ListDefault{"cmbCode(1)", kCodes, "None", false},
        ListDefault{"cmbMod(0)", kFormats, "Unipolar (N)RZ", false},
        ListDefault{"cmbMod(1)", kFormats, "Unipolar (N)RZ", false},
        ListDefault{"cmbTxModPC(0)", kPulseWidthItems, "100", true},
        ListDefault{"cmbTxModPC(1)", kPulseWidthItems, "100", true},
        ListDefault{"cmbTxFilter(0)",
                    {"None", "SteepCutoff", "SinglePole", "RC", "Root RC"},
                    "SteepCutoff",
                    false},
        ListDefault{"cmbTxFilter(1)",
                    {"None", "SteepCutoff", "SinglePole", "RC", "Root RC", "Matched"},
                    "SteepCutoff",
                    false},
        ListDefault{"cmbTxBW(0)", kBwItems, "4", true},
        ListDefault{"cmbTxBW(1)", kBwItems, "4", true},
        ListDefault{"cmbTxEB(0)", kEbItems, "50", true},
        ListDefault{"cmbTxEB(1)", kEbItems, "50", true},
        ListDefault{
            "cmbHighPass", {"None", "0.01", "0.02", "0.05", "0.1", "0.2", "0.5"}, "None", true},
        ListDefault{"cmbLowPass",
                    {"None", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"},
                    "None",
                    true},
        ListDefault{"cmbNoise", {"None", "0.1", "0.2", "0.4", "0.6", "0.8", "1.0"}, "None", true},
        ListDefault{
            "cmbMultipathDelay", {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.5"}, "0.0", true},
        ListDefault{"cmbMultipathMag", {"0", "20", "40", "60", "80", "100"}, "0", true},
        ListDefault{
            "cmbScene",
            {"Just Data", "Tx Codes", "Tx Filter", "Full Tx", "Straight", "Noise", "Full Channel"},
            "Just Data",
            true}));

struct SliderDefault {
    SliderId id;
    int min, max, smallChange, largeChange, value;

    friend void PrintTo(const SliderDefault& s, std::ostream* os) { *os << NameOf(s.id); }
};

class StartupSliders : public ::testing::TestWithParam<SliderDefault> {};

TEST_P(StartupSliders, HaveRangeStepsAndValue) {
    Form1 form;
    const SliderDefault& e = GetParam();
    const SliderControl& s = form.Slider(e.id);
    EXPECT_EQ(s.min, e.min) << s.name;
    EXPECT_EQ(s.max, e.max) << s.name;
    EXPECT_EQ(s.smallChange, e.smallChange) << s.name;
    EXPECT_EQ(s.largeChange, e.largeChange) << s.name;
    EXPECT_EQ(s.value, e.value) << s.name;
}

// Scene 0 has already set the scroll maximum, the spectrum range and the sampling range;
// the threshold slider follows the receiver's unipolar format.
INSTANTIATE_TEST_SUITE_P(EverySlider, StartupSliders,
                         ::testing::Values(SliderDefault{SliderId::hscDataZoom, 1, 4, 1, 1, 1},
                                           SliderDefault{SliderId::hscDataScroll, 0, 37, 1, 4, 0},
                                           SliderDefault{SliderId::vscSpectrumRange, 1, 200, 5, 20,
                                                         150},
                                           SliderDefault{SliderId::vscTxEyeScale, 0, 100, 4, 20, 0},
                                           SliderDefault{SliderId::vscThreshold, 0, 100, 4, 20, 51},
                                           SliderDefault{SliderId::hscSample, -32, 32, 1, 4, 0}));

TEST(Startup, CaptionsThatHandlersChange) {
    Form1 form;
    EXPECT_EQ(form.Check(CheckId::chkLinear).caption, "Log Plot");
    EXPECT_EQ(form.Check(CheckId::chkMemory).captionColour, 0);
    EXPECT_EQ(form.Label(LabelId::lblPCkHz0).caption, "kHz");
    EXPECT_EQ(form.Label(LabelId::lblBER).caption, "BER");
    EXPECT_EQ(form.PauseButton().caption, "Pause");
}

TEST(Startup, LoadSequenceValues) {
    Form1 form;
    const RunState& s = form.State();
    EXPECT_EQ(form.Views().dTxEyeScale, 1.5);
    EXPECT_EQ(s.dBaudRate, 1.0);
    EXPECT_FALSE(s.bFiltersValid);  // the first tick designs the responses
    EXPECT_EQ(form.Views().lTxSpectra, 0);
    EXPECT_EQ(form.Views().lRxSpectra, 0);
    EXPECT_EQ(form.Views().lChannelSpectra, 0);
    EXPECT_EQ(s.lBERRuns, 0);
    EXPECT_TRUE(form.Timer().enabled);
    EXPECT_EQ(form.Timer().interval, 100);
    EXPECT_EQ(form.SceneIndex(), 0);
    EXPECT_TRUE(form.CompactLayout());
    // The unipolar pattern at the distance the slider (51) shows.
    EXPECT_EQ(form.Slider(SliderId::vscThreshold).value, 51);
    EXPECT_DOUBLE_EQ(s.dThresholds[0], 0.49 * std::sqrt(2.0));
    EXPECT_EQ(s.dThresholds[1], s.dThresholds[0]);
    EXPECT_EQ(s.dThresholds[3], s.dThresholds[0]);
}

TEST(Startup, EveryPanelHasACanvasSizedLikeAPanel) {
    Form1 form;
    for (const PictureControl& picture : form.Pictures()) {
        ASSERT_NE(picture.canvas, nullptr) << picture.name;
        EXPECT_EQ(picture.canvas->ScaleWidth(), picture.width * kUnitsPerPixel) << picture.name;
        EXPECT_GT(picture.canvas->ScaleHeight(), 0) << picture.name;
    }
    EXPECT_EQ(form.Picture(PictureId::picTxEye).width, form.Picture(PictureId::picRxEye).width);
}

}  // namespace
}  // namespace linelab
