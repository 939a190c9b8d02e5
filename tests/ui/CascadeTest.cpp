// Change handlers and the cascades between them: the receiver following the transmitter,
// the filter parameter boxes, the pulse-width and filter-type lists, the thresholds.

#include <cmath>
#include <ostream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FormTestSupport.h"

namespace linelab {
namespace {

using test::Items;
using ::testing::ElementsAre;

const std::string& Text(const Form1& f, ListId id) {
    return f.List(id).text;
}

class Cascades : public ::testing::Test {
  protected:
    void Set(const char* name, const char* text) { ASSERT_TRUE(form.SetText(name, text)) << name; }
    void Scene(int index) { ASSERT_TRUE(form.ApplyScene(index)); }
    bool Shown(ControlRef c) const { return form.Visible(c); }

    Form1 form;
};

TEST_F(Cascades, RaisedCosineAtTransmitterSelectsItAtReceiverWithExcessBandwidthBoxes) {
    Scene(4);
    Set("cmbTxFilter(0)", "RC");
    EXPECT_EQ(Text(form, ListId::cmbTxFilter1), "RC");
    for (int side = 0; side < 2; ++side) {
        EXPECT_EQ(form.Label(Element(LabelId::lblPCkHz0, side)).caption, "EB") << side;
        EXPECT_TRUE(Shown(Element(LabelId::lblPCkHz0, side))) << side;
        EXPECT_TRUE(Shown(Element(ListId::cmbTxEB0, side))) << side;
        EXPECT_FALSE(Shown(Element(ListId::cmbTxBW0, side))) << side;
    }
    Set("cmbTxFilter(0)", "None");
    for (int side = 0; side < 2; ++side) {
        EXPECT_FALSE(Shown(Element(LabelId::lblPCkHz0, side))) << side;
        EXPECT_FALSE(Shown(Element(ListId::cmbTxEB0, side))) << side;
        EXPECT_FALSE(Shown(Element(ListId::cmbTxBW0, side))) << side;
    }
    Set("cmbTxFilter(0)", "SinglePole");
    EXPECT_EQ(form.Label(LabelId::lblPCkHz1).caption, "kHz");
    EXPECT_TRUE(Shown(ListId::cmbTxBW1));
    EXPECT_TRUE(Shown(LabelId::lblPCkHz1));
}

TEST_F(Cascades, ReceiverFilterIsIndependentWhileItsSectionIsHidden) {
    Scene(2);  // no receiver
    Set("cmbTxFilter(0)", "Root RC");
    EXPECT_EQ(Text(form, ListId::cmbTxFilter1), "SteepCutoff");
    EXPECT_FALSE(Shown(ListId::cmbTxEB1));
    EXPECT_TRUE(Shown(ListId::cmbTxEB0));
}

TEST_F(Cascades, ParameterTextsCopyOnlyFromTransmitterToReceiver) {
    Set("cmbTxEB(0)", "80");
    EXPECT_EQ(Text(form, ListId::cmbTxEB1), "80");
    Set("cmbTxEB(1)", "30");
    EXPECT_EQ(Text(form, ListId::cmbTxEB0), "80");
    Set("cmbTxBW(0)", "0.7");
    EXPECT_EQ(Text(form, ListId::cmbTxBW1), "0.7");
    Set("cmbTxBW(1)", "2");
    EXPECT_EQ(Text(form, ListId::cmbTxBW0), "0.7");
}

TEST_F(Cascades, NarrowPulseDropsRaisedCosineShapes) {
    Scene(2);
    Set("cmbTxFilter(0)", "Root RC");
    Set("cmbTxModPC(0)", "50");
    EXPECT_EQ(Text(form, ListId::cmbTxFilter0), "None");
    EXPECT_THAT(Items(form, ListId::cmbTxFilter0),
                ElementsAre("None", "SteepCutoff", "SinglePole"));
    EXPECT_FALSE(Shown(ListId::cmbTxEB0));
    Set("cmbTxModPC(0)", "100");
    EXPECT_EQ(Text(form, ListId::cmbTxFilter0), "None");
    EXPECT_THAT(Items(form, ListId::cmbTxFilter0),
                ElementsAre("None", "SteepCutoff", "SinglePole", "RC", "Root RC"));
}

TEST_F(Cascades, PulseWidthCopiesToReceiverAndRefillsItsFilterList) {
    Set("cmbTxModPC(0)", "abc");  // reads as 0: narrow
    EXPECT_EQ(Text(form, ListId::cmbTxModPC1), "abc");
    EXPECT_THAT(Items(form, ListId::cmbTxFilter1),
                ElementsAre("None", "SteepCutoff", "SinglePole", "Matched"));
    EXPECT_EQ(Text(form, ListId::cmbTxFilter1), "SteepCutoff");
    Set("cmbTxModPC(1)", "120");
    EXPECT_EQ(Text(form, ListId::cmbTxModPC0), "abc");
    EXPECT_EQ(Items(form, ListId::cmbTxFilter1).size(), 6u);
}

TEST_F(Cascades, MatchedSurvivesReceiverPulseWidthChanges) {
    Scene(4);
    Set("cmbTxFilter(1)", "Matched");
    for (const char* width : {"50", "25", "100", "7"}) {
        Set("cmbTxModPC(1)", width);
        EXPECT_EQ(Text(form, ListId::cmbTxFilter1), "Matched") << width;
    }
}

TEST_F(Cascades, ThreeLevelFormatsTakeOnlyFullWidthPulses) {
    Set("cmbTxModPC(0)", "50");
    Set("cmbMod(0)", "HDB3");
    for (ListId id : {ListId::cmbTxModPC0, ListId::cmbTxModPC1}) {
        EXPECT_THAT(Items(form, id), ElementsAre("100"));
        EXPECT_EQ(Text(form, id), "100");
    }
    EXPECT_EQ(Text(form, ListId::cmbMod1), "HDB3");
    Set("cmbMod(0)", "Polar (N)RZ");
    for (ListId id : {ListId::cmbTxModPC0, ListId::cmbTxModPC1}) {
        EXPECT_THAT(Items(form, id), ElementsAre("100", "75", "50", "25"));
        EXPECT_EQ(Text(form, id), "100");
    }
    Set("cmbTxModPC(0)", "25");
    Set("cmbMod(0)", "Polar (N)RZI");
    EXPECT_EQ(Text(form, ListId::cmbTxModPC0), "25");
    EXPECT_EQ(Text(form, ListId::cmbTxModPC1), "25");
}

TEST_F(Cascades, ReceiverFormatChangeResetsOnlyTheReceiverPulseWidth) {
    Set("cmbTxModPC(0)", "75");
    Set("cmbMod(1)", "AMI");
    EXPECT_EQ(Text(form, ListId::cmbTxModPC0), "75");
    EXPECT_THAT(Items(form, ListId::cmbTxModPC0), ElementsAre("100", "75", "50", "25"));
    EXPECT_THAT(Items(form, ListId::cmbTxModPC1), ElementsAre("100"));
    EXPECT_EQ(Text(form, ListId::cmbMod0), "Unipolar (N)RZ");
}

struct FormatThreshold {
    const char* format;
    int slider;
    std::array<double, 4> thresholds;

    friend void PrintTo(const FormatThreshold& f, std::ostream* os) { *os << f.format; }
};

// The outer threshold the slider's position gives: the format's default T0 sets the slider,
// and the thresholds follow the slider from then on.
constexpr double kR = (100.0 - 51) * 1.4142135623730950488 / 100;
constexpr double kPam4Outer = (100.0 - 12) * 1.4142135623730950488 / 100;

class FormatThresholds : public ::testing::TestWithParam<FormatThreshold> {};

// The slider lands where the format's default T0 puts it, and the thresholds keep the
// format's pattern at the slider's distance, at once (not only once the receive eye is drawn).
TEST_P(FormatThresholds, SliderFollowsFormat) {
    Form1 form;
    const FormatThreshold& e = GetParam();
    ASSERT_TRUE(form.SetText("cmbMod(0)", e.format));
    EXPECT_EQ(form.Slider(SliderId::vscThreshold).value, e.slider);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(form.State().dThresholds[i], e.thresholds[i], 1e-15) << e.format << " T" << i;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, FormatThresholds,
    ::testing::Values(FormatThreshold{"Unipolar (N)RZI", 51, {kR, kR, kR, kR}},
                      FormatThreshold{"Polar (N)RZ", 100, {0, 0, 0, 0}},
                      FormatThreshold{"Polar (N)RZI", 100, {0, 0, 0, 0}},
                      FormatThreshold{"AMI", 51, {kR, -kR, kR, kR}},
                      FormatThreshold{"MLT3", 51, {kR, -kR, kR, kR}},
                      FormatThreshold{"HDB3", 51, {kR, -kR, kR, kR}},
                      FormatThreshold{"4-PAM", 12, {kPam4Outer, 0, -kPam4Outer, kPam4Outer}}));

TEST_F(Cascades, ThresholdSliderAtTopIsForcedBackForThreeLevelFormats) {
    Set("cmbMod(0)", "AMI");
    ASSERT_TRUE(form.SetSliderValue(SliderId::vscThreshold, 100));
    EXPECT_EQ(form.Slider(SliderId::vscThreshold).value, 99);
    const auto& t = form.State().dThresholds;
    EXPECT_DOUBLE_EQ(t[0], std::sqrt(2.0) / 100);
    EXPECT_EQ(t[1], -t[0]);
    Set("cmbMod(0)", "Polar (N)RZ");  // one threshold: the top is allowed
    EXPECT_EQ(form.Slider(SliderId::vscThreshold).value, 100);
    EXPECT_EQ(form.State().dThresholds[0], 0.0);
}

TEST_F(Cascades, LineCodeAndFormatSetSymbolRate) {
    Set("cmbCode(0)", "Manchester");
    EXPECT_EQ(Text(form, ListId::cmbCode1), "Manchester");
    EXPECT_EQ(form.State().dBaudRate, 2.0);
    Set("cmbMod(0)", "4-PAM");
    EXPECT_EQ(form.State().dBaudRate, 1.0);
    Set("cmbCode(0)", "4B5B");
    EXPECT_DOUBLE_EQ(form.State().dBaudRate, 0.6);
    // The receiver's choices do not change the transmitted rate.
    Set("cmbCode(1)", "None");
    Set("cmbMod(1)", "AMI");
    EXPECT_DOUBLE_EQ(form.State().dBaudRate, 0.6);
}

TEST_F(Cascades, PreCodingFollowsTransmitter) {
    Set("cmbPreCode(0)", "Scramble");
    EXPECT_EQ(Text(form, ListId::cmbPreCode1), "Scramble");
    Set("cmbPreCode(1)", "Differential");
    EXPECT_EQ(Text(form, ListId::cmbPreCode0), "Scramble");
}

TEST_F(Cascades, FixedListRefusesForeignTextEditableListTakesAny) {
    for (const char* name :
         {"cmbData", "cmbPreCode(0)", "cmbCode(1)", "cmbMod(0)", "cmbTxFilter(0)"}) {
        const std::string before = form.List(static_cast<ListId>(FindControl(name)->index)).text;
        EXPECT_FALSE(form.SetText(name, "Bogus")) << name;
        EXPECT_FALSE(form.SetText(name, "")) << name;
        EXPECT_EQ(form.List(static_cast<ListId>(FindControl(name)->index)).text, before) << name;
    }
    EXPECT_FALSE(form.SetText("cmbTxFilter(0)", "Matched"));  // a receiver-only item
    EXPECT_TRUE(form.SetText("cmbNoise", "loud"));
    EXPECT_EQ(Text(form, ListId::cmbNoise), "loud");
}

// A receiver whose own pulse width is narrow has no raised-cosine entry to follow with;
// it keeps its type instead of taking one its list does not hold.
TEST_F(Cascades, ReceiverWithoutTheTransmitterTypeKeepsItsOwn) {
    Scene(4);
    Set("cmbTxModPC(1)", "50");
    Set("cmbTxFilter(0)", "RC");
    EXPECT_EQ(Text(form, ListId::cmbTxFilter1), "SteepCutoff");
    EXPECT_TRUE(Shown(ListId::cmbTxBW1));
    EXPECT_FALSE(Shown(ListId::cmbTxEB1));
}

// In a scene that hides the filter lists a cascade through the pulse width must not put a
// parameter box on the window without its list.
TEST_F(Cascades, HiddenFilterListNeverShowsItsParameterBox) {
    Scene(2);
    Set("cmbTxFilter(0)", "RC");
    Scene(1);
    ASSERT_FALSE(Shown(ListId::cmbTxFilter0));
    Set("cmbTxModPC(0)", "75");
    Set("cmbTxModPC(0)", "100");
    Set("cmbMod(0)", "AMI");
    for (ControlRef c : {ControlRef(ListId::cmbTxEB0), ControlRef(ListId::cmbTxEB1),
                         ControlRef(ListId::cmbTxBW0), ControlRef(ListId::cmbTxBW1),
                         ControlRef(LabelId::lblPCkHz0), ControlRef(LabelId::lblPCkHz1)})
        EXPECT_FALSE(Shown(c)) << NameOf(c);
}

TEST_F(Cascades, SettingsChangesMarkResponsesStaleButDataAndEchoDoNot) {
    // Only a tick sets the flag; check which handlers clear it after one.
    struct Case {
        const char* name;
        const char* text;
        bool staysValid;
    };
    for (const Case& c :
         {Case{"cmbData", "All Ones", true}, Case{"cmbMultipathMag", "40", true},
          Case{"cmbMultipathDelay", "1.0", true}, Case{"cmbLowPass", "2.0", false},
          Case{"cmbHighPass", "0.1", false}, Case{"cmbNoise", "0.2", false},
          Case{"cmbTxBW(1)", "2", false}, Case{"cmbTxEB(0)", "10", false},
          Case{"cmbPreCode(1)", "Scramble", false}, Case{"cmbCode(1)", "Manchester", false}}) {
        Form1 f;
        f.Timer1_Timer();
        ASSERT_TRUE(f.State().bFiltersValid);
        ASSERT_TRUE(f.SetText(c.name, c.text)) << c.name;
        EXPECT_EQ(f.State().bFiltersValid, c.staysValid) << c.name;
    }
}

}  // namespace
}  // namespace linelab
