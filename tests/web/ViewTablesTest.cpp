#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "ui/ChainTable.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"
#include "ui/ToolTips.h"

namespace linelab {
namespace {

// Every control a user can set or read stands once in the chain or the top bar, by a name
// the model knows.
TEST(ChainTable, HoldsEveryControlOnceByItsName) {
    std::multiset<std::string_view> placed(ChainTopBar().begin(), ChainTopBar().end());
    for (const ChainCell& cell : ChainCells())
        for (const ChainRow& row : cell.rows)
            placed.insert(row.controls.begin(), row.controls.end());
    for (const std::string_view name : placed) {
        EXPECT_TRUE(FindControl(name)) << name;
        EXPECT_EQ(placed.count(name), 1u) << name;
    }
    for (const ControlRef control : AllControls()) {
        const bool shown =
            control.kind == ControlKind::List || control.kind == ControlKind::CheckBox ||
            control.kind == ControlKind::Slider || control.kind == ControlKind::Picture ||
            control.kind == ControlKind::Button;
        const std::string_view name = NameOf(control);
        if (shown || name == "lblBER") {
            EXPECT_EQ(placed.count(name), 1u) << name;
        }
    }
}

TEST(PanelFrames, FollowTheSwitchesAndTheSpectrumScale) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(6));
    EXPECT_EQ(PanelFrameOf(form, PictureId::picRxEye).title, "Receiver eye");
    EXPECT_EQ(PanelFrameOf(form, PictureId::picCodedData).sideLabel, "Coded");
    const bool linearShown = form.Check(CheckId::chkLinear).visible;
    form.SetCheckValue(CheckId::chkLinear, 1);
    EXPECT_EQ(PanelFrameOf(form, PictureId::picTxSpectrum).title,
              linearShown ? "Transmitter spectrum, linear" : "Transmitter spectrum, dB");
    for (int on : {0, 1}) {
        form.SetCheckValue(CheckId::chkChannelEye, on);
        EXPECT_EQ(PanelFrameOf(form, PictureId::picChannelEye).offHint.empty(), on == 1);
    }
    EXPECT_EQ(SwitchText(CheckId::chkRxSpectrum), "Show the receiver spectrum");
    EXPECT_EQ(SwitchText(CheckId::chkPostData), "Show the post-decoded strip");
    EXPECT_FALSE(ToolTipText(ControlRef(ListId::cmbNoise)).empty());
    EXPECT_FALSE(ToolTipText(ControlRef(PictureId::picRxEye)).empty());
}

// The receive eye marks its thresholds; of each strip group only the lowest shown strip
// carries the time axis.
TEST(PanelAxes, MarkTheThresholdsAndPutTheTimeUnderTheLowestStrip) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(6));
    form.Timer1_Timer();
    const PanelAxes eye = PanelAxesOf(form, PictureId::picRxEye);
    EXPECT_TRUE(std::is_sorted(eye.values.marks.begin(), eye.values.marks.end()));
    EXPECT_FALSE(eye.values.marks.empty());
    EXPECT_GT(eye.values.top, eye.values.bottom);
    EXPECT_GT(eye.symbolsAcross, 0);
    // The sent group's lowest shown strip, and only it, carries the time axis.
    const PanelDescriptor* lowest = nullptr;
    for (const PanelDescriptor& panel : kPanelTable)
        if (panel.kind == PanelKind::Strip && panel.stage == PanelStage::Transmitter &&
            form.Visible(ControlRef(panel.picture)))
            lowest = &panel;
    ASSERT_NE(lowest, nullptr);
    for (const PanelDescriptor& panel : kPanelTable) {
        if (panel.kind != PanelKind::Strip || panel.stage != PanelStage::Transmitter) continue;
        EXPECT_EQ(PanelAxesOf(form, panel.picture).symbolsAcross > 0, &panel == lowest)
            << panel.pictureName;
    }
    EXPECT_EQ(PanelAxesOf(form, PictureId::picTxSpectrum).values.unit, "dB");
}

}  // namespace
}  // namespace linelab
