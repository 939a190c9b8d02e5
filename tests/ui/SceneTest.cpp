// The seven scenes: what each shows and switches, the channel reset, the captions, and
// the receiver following the transmitter in the last one.

#include <algorithm>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FormTestSupport.h"

namespace linelab {
namespace {

using Names = std::vector<std::string>;

Names operator+(Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Names Numbered(const std::string& base, int count) {
    Names out;
    for (int i = 0; i < count; ++i)
        out.push_back(base + "(" + std::to_string(i) + ")");
    return out;
}

// Written from the description of the scenes, one list per scene; the default filter
// "SteepCutoff" shows the bandwidth box and its "kHz" label beside every visible filter list.
const Names kAlways = {"cmbData", "cmbScene", "Label1",        "cmdPause",   "Shape1",
                       "Line1",   "picData",  "hscDataScroll", "hscDataZoom"};
const Names kTxCodes = {"cmbPreCode(0)", "lblPreCoding", "cmbCode(0)", "lblCoding"};
const Names kTxFormat = {"cmbMod(0)", "lblModulation", "cmbTxModPC(0)", "lblModulationPC"};
const Names kTxFilter = {"cmbTxFilter(0)", "cmbTxBW(0)", "lblTxFilter", "lblPCkHz(0)"};
const Names kHighPass = {"cmbHighPass", "lblHighPass", "lblHPkHz"};
const Names kChannelPanels = {"picChannelEye", "chkChannelEye", "vscTxEyeScale",
                              "picChannelSpectrum", "chkChannelSpectrum"};
const Names kSpectrumOptions = Names{"chkLinear", "chkMemory"} + Numbered("lblFreq", 9);
const Names kStripsWithBoxes = {"picPreData",   "chkPreData", "picCodedData",
                                "chkCodedData", "picModData", "chkModData"};
const Names kFullCommon = kAlways + kStripsWithBoxes + kTxCodes + kTxFormat + kTxFilter +
                          Names{"vscSpectrumRange",
                                "picTxEye",
                                "chkTxEye",
                                "picTxSpectrum",
                                "chkTxSpectrum",
                                "picRxEye",
                                "chkRxEye",
                                "picRxSpectrum",
                                "chkRxSpectrum",
                                "vscTxEyeScale",
                                "vscThreshold",
                                "hscSample",
                                "picDemodData",
                                "chkDemodData",
                                "picRxData",
                                "chkRxData",
                                "cmbTxFilter(1)",
                                "cmbTxBW(1)",
                                "lblPCkHz(1)",
                                "lblDiscriminator",
                                "shpTx",
                                "shpChannel",
                                "shpRx",
                                "shpOutput",
                                "lblOutput",
                                "lblBER",
                                "lblRxFilter",
                                "lblPostCoding"} +
                          Numbered("lneHint", 20);
const Names kReceiverLists = {"cmbPreCode(1)",  "cmbCode(1)",  "cmbMod(1)",  "cmbTxModPC(1)",
                              "lblDemod",       "lblDemodPC",  "lblDecode",  "picDecodedData",
                              "chkDecodedData", "picPostData", "chkPostData"};

struct SceneExpectation {
    int index;
    Names visible;
    Names checksOn;
    Names checksOff;
    std::vector<std::pair<std::string, std::string>> captions;
};

const std::vector<SceneExpectation>& Expectations() {
    static const std::vector<SceneExpectation> table = {
        {0, kAlways + Names{"imgLogo"}, {"chkData"}, {"chkInvert"}, {}},
        {1,
         kAlways + Names{"imgLogo", "picPreData", "picCodedData", "picModData"} + kTxCodes +
             kTxFormat,
         {"chkData", "chkPreData", "chkCodedData", "chkModData"},
         {"chkInvert"},
         {}},
        {2,
         kAlways + Names{"imgLogo", "picModData", "chkInvert", "vscSpectrumRange"} + kTxFormat +
             kTxFilter + kHighPass + kChannelPanels + kSpectrumOptions,
         {"chkData", "chkModData"},
         {"chkInvert", "chkChannelEye", "chkChannelSpectrum"},
         {}},
        {3,
         kAlways +
             Names{"imgLogo", "picPreData", "picCodedData", "picModData", "chkInvert",
                   "vscSpectrumRange"} +
             kTxCodes + kTxFormat + kTxFilter + kHighPass + kChannelPanels + kSpectrumOptions,
         {"chkData", "chkPreData", "chkCodedData", "chkModData"},
         {"chkInvert", "chkChannelEye", "chkChannelSpectrum"},
         {}},
        {4,
         kFullCommon + kReceiverLists + Names{"chkInvert", "lblLowPass"},
         {"chkData", "chkPreData", "chkCodedData", "chkModData", "chkDemodData", "chkDecodedData",
          "chkPostData", "chkRxData", "chkTxEye", "chkTxSpectrum", "chkRxEye", "chkRxSpectrum"},
         {"chkInvert"},
         {{"lblLowPass", "Perfect Channel"}, {"lblPostCoding", "Post-Coding"}}},
        {5,
         kFullCommon + kReceiverLists + Names{"cmbNoise", "lblNoise", "lblNoiseW", "chkFixedNoise"},
         {"chkData", "chkPreData", "chkCodedData", "chkModData", "chkDemodData", "chkDecodedData",
          "chkPostData", "chkRxData", "chkTxEye", "chkTxSpectrum", "chkRxEye", "chkRxSpectrum"},
         {"chkInvert"},
         {{"lblPostCoding", "Post-Coding"}}},
        {6,
         kFullCommon + kHighPass + kChannelPanels +
             Names{"lblLowPass", "cmbLowPass", "lblLPkHz", "cmbNoise", "lblNoise", "lblNoiseW",
                   "chkFixedNoise", "cmbMultipathDelay", "cmbMultipathMag", "lblMultipath",
                   "lblMultipathDelay", "lblMultipathPC", "lblAsTransmitter"},
         {"chkData", "chkPreData", "chkCodedData", "chkModData", "chkDemodData", "chkRxData",
          "chkTxEye", "chkTxSpectrum", "chkRxEye", "chkRxSpectrum", "chkChannelEye",
          "chkChannelSpectrum"},
         {"chkInvert", "chkDecodedData", "chkPostData"},
         {{"lblLowPass", "Low Pass"}, {"lblPostCoding", "Rest"}}},
    };
    return table;
}

std::set<std::string> VisibleNames(const Form1& form) {
    std::set<std::string> out;
    for (ControlRef c : AllControls())
        if (form.Visible(c)) out.emplace(NameOf(c));
    return out;
}

int CheckValue(const Form1& form, const std::string& name) {
    return form.Check(static_cast<CheckId>(FindControl(name)->index)).value;
}

std::string LabelCaption(const Form1& form, const std::string& name) {
    return form.Label(static_cast<LabelId>(FindControl(name)->index)).caption;
}

void DisturbChannel(Form1& form) {
    ASSERT_TRUE(form.SetText("cmbHighPass", "0.1"));
    ASSERT_TRUE(form.SetText("cmbLowPass", "2.0"));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.4"));
    ASSERT_TRUE(form.SetText("cmbMultipathMag", "40"));
    ASSERT_TRUE(form.SetText("cmbMultipathDelay", "1.0"));
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkInvert, 1));
}

class Scenes : public ::testing::TestWithParam<int> {
  protected:
    void Check(const Form1& form) {
        const SceneExpectation& e = Expectations()[static_cast<std::size_t>(GetParam())];
        const std::set<std::string> expected(e.visible.begin(), e.visible.end());
        EXPECT_EQ(VisibleNames(form), expected);
        for (const std::string& name : e.checksOn)
            EXPECT_EQ(CheckValue(form, name), 1) << name;
        for (const std::string& name : e.checksOff)
            EXPECT_EQ(CheckValue(form, name), 0) << name;
        for (const auto& [label, caption] : e.captions)
            EXPECT_EQ(LabelCaption(form, label), caption);
        const char* const freq[] = {"0", "0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4"};
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(LabelCaption(form, "lblFreq(" + std::to_string(i) + ")"), freq[i]);
        EXPECT_EQ(form.List(ListId::cmbHighPass).text, "None");
        EXPECT_EQ(form.List(ListId::cmbLowPass).text, "None");
        EXPECT_EQ(form.List(ListId::cmbNoise).text, "None");
        EXPECT_EQ(form.List(ListId::cmbMultipathMag).text, "0");
        EXPECT_EQ(form.Slider(SliderId::vscSpectrumRange).value, 150);
        EXPECT_EQ(form.Slider(SliderId::hscDataScroll).max, 37);
        EXPECT_EQ(form.Slider(SliderId::hscSample).min, -32);
        EXPECT_EQ(form.Slider(SliderId::hscSample).max, 32);
        EXPECT_EQ(form.SceneIndex(), GetParam());
        EXPECT_EQ(form.CompactLayout(), GetParam() <= 3);
        EXPECT_EQ(form.List(ListId::cmbScene).ListIndex(), GetParam());
    }
};

TEST_P(Scenes, ShowSwitchAndResetAsDescribed) {
    Form1 form;
    DisturbChannel(form);
    ASSERT_TRUE(form.ApplyScene(GetParam()));
    Check(form);
    // The delay is no part of the reset.
    EXPECT_EQ(form.List(ListId::cmbMultipathDelay).text, "1.0");
}

TEST_P(Scenes, LayoutDoesNotDependOnThePreviousScene) {
    for (int previous = 0; previous < kSceneCount; ++previous) {
        Form1 form;
        ASSERT_TRUE(form.ApplyScene(previous));
        DisturbChannel(form);
        ASSERT_TRUE(form.PickItem("cmbScene", GetParam()));
        Check(form);
    }
}

TEST_P(Scenes, ApplyingTwiceGivesTheSameModel) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(GetParam()));
    const std::string once = test::Dump(form);
    ASSERT_TRUE(form.ApplyScene(GetParam()));
    EXPECT_EQ(test::Dump(form), once);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, Scenes, ::testing::Range(0, kSceneCount));

TEST(SceneChoice, UnknownSceneChangesNothing) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    const std::string before = test::Dump(form);
    EXPECT_FALSE(form.ApplyScene(7));
    EXPECT_FALSE(form.ApplyScene(-1));
    EXPECT_EQ(test::Dump(form), before);
    // The scene list is editable; a text naming no scene leaves the layout alone.
    EXPECT_TRUE(form.SetText("cmbScene", "Everything"));
    EXPECT_EQ(form.SceneIndex(), 4);
    EXPECT_TRUE(form.Visible(PictureId::picRxEye));
    EXPECT_TRUE(form.SetText("cmbScene", "Tx Codes"));
    EXPECT_EQ(form.SceneIndex(), 1);
}

TEST(SceneChoice, ExcessBandwidthBoxShowsOnlyBesideAVisibleRaisedCosineList) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    ASSERT_TRUE(form.SetText("cmbTxFilter(0)", "Root RC"));
    for (int scene = 0; scene < kSceneCount; ++scene) {
        ASSERT_TRUE(form.ApplyScene(scene));
        const bool txList = form.Visible(ListId::cmbTxFilter0);
        const bool rxList = form.Visible(ListId::cmbTxFilter1);
        EXPECT_EQ(form.Visible(ListId::cmbTxEB0), txList) << scene;
        EXPECT_EQ(form.Visible(ListId::cmbTxEB1), rxList) << scene;
        EXPECT_FALSE(form.Visible(ListId::cmbTxBW0)) << scene;
        EXPECT_FALSE(form.Visible(ListId::cmbTxBW1)) << scene;
    }
}

TEST(SceneChoice, LastSceneTiesTheReceiverToTheTransmitter) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    ASSERT_TRUE(form.SetText("cmbCode(1)", "Differential"));
    ASSERT_TRUE(form.SetText("cmbMod(1)", "AMI"));
    ASSERT_TRUE(form.SetText("cmbTxModPC(1)", "75"));
    ASSERT_TRUE(form.ApplyScene(6));
    EXPECT_EQ(form.List(ListId::cmbCode1).text, "None");
    EXPECT_EQ(form.List(ListId::cmbMod1).text, "Unipolar (N)RZ");
    EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, "100");

    struct Choice {
        ListId transmitter, receiver;
        const char* text;
    };
    for (const Choice& c : {Choice{ListId::cmbPreCode0, ListId::cmbPreCode1, "Scramble"},
                            Choice{ListId::cmbCode0, ListId::cmbCode1, "4B5B + NRZI"},
                            Choice{ListId::cmbMod0, ListId::cmbMod1, "4-PAM"},
                            Choice{ListId::cmbTxModPC0, ListId::cmbTxModPC1, "50"},
                            Choice{ListId::cmbMod0, ListId::cmbMod1, "MLT3"}}) {
        ASSERT_TRUE(form.SetText(c.transmitter, c.text)) << c.text;
        EXPECT_EQ(form.List(c.receiver).text, c.text);
        EXPECT_FALSE(form.Visible(c.receiver)) << c.text;
    }
    EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, "100");  // MLT3 takes only full width
}

}  // namespace
}  // namespace linelab
