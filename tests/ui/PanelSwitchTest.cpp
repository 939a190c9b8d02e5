// Check boxes, sliders and clicks on panels: which pictures they clear, which counts they
// restart, which captions they change.

#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

using test::CanvasSet;

class PanelSwitches : public ::testing::Test {
  protected:
    // The pictures cleared since the last Reset, in PictureId order.
    std::vector<PictureId> Cleared() {
        std::vector<PictureId> out;
        for (int i = 0; i < CountOf<PictureId>(); ++i)
            if (canvases.canvases[static_cast<std::size_t>(i)].clears > 0)
                out.push_back(static_cast<PictureId>(i));
        canvases.Reset();
        return out;
    }

    Form1 form;
    CanvasSet canvases{form};
};

using P = PictureId;

TEST_F(PanelSwitches, StripSwitchClearsItsOwnStripEitherWay) {
    for (const PanelDescriptor& panel : kPanelTable) {
        if (panel.kind != PanelKind::Strip) continue;
        SCOPED_TRACE(panel.pictureName);
        const CheckId check = panel.check;
        const int flipped = 1 - form.Check(check).value;
        canvases.Reset();
        ASSERT_TRUE(form.SetCheckValue(check, flipped));
        EXPECT_EQ(Cleared(), std::vector<PictureId>{panel.picture});
        ASSERT_TRUE(form.SetCheckValue(check, 1 - flipped));
        EXPECT_EQ(Cleared(), std::vector<PictureId>{panel.picture});
        ASSERT_TRUE(form.SetCheckValue(check, 1 - flipped));  // no change, no click
        EXPECT_TRUE(Cleared().empty());
    }
}

TEST_F(PanelSwitches, EyeSwitchesLeaveEyesAlone) {
    canvases.Reset();
    for (CheckId id : {CheckId::chkTxEye, CheckId::chkChannelEye, CheckId::chkRxEye}) {
        ASSERT_TRUE(form.SetCheckValue(id, 1 - form.Check(id).value));
    }
    EXPECT_TRUE(Cleared().empty());
}

TEST_F(PanelSwitches, InvertClearsChannelAndReceiveEyes) {
    canvases.Reset();
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkInvert, 1));
    EXPECT_EQ(Cleared(), (std::vector<PictureId>{P::picChannelEye, P::picRxEye}));
}

TEST_F(PanelSwitches, ScaleCaptionAndMemoryColourFollowTheirValues) {
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkLinear, 1));
    EXPECT_EQ(form.Check(CheckId::chkLinear).caption, "Linear Plot");
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkLinear, 0));
    EXPECT_EQ(form.Check(CheckId::chkLinear).caption, "Log Plot");
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkMemory, 1));
    EXPECT_EQ(form.Check(CheckId::chkMemory).captionColour, 32768);
    EXPECT_EQ(form.Check(CheckId::chkMemory).caption, "Memory");
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkMemory, 0));
    EXPECT_EQ(form.Check(CheckId::chkMemory).captionColour, 0);
}

TEST_F(PanelSwitches, ClickingAnEyeClearsOnlyThatEye) {
    for (PictureId eye : {P::picTxEye, P::picChannelEye, P::picRxEye}) {
        canvases.Reset();
        form.ClickPicture(eye);
        EXPECT_EQ(Cleared(), std::vector<PictureId>{eye});
    }
    for (PictureId other : {P::picData, P::picRxData, P::picTxSpectrum, P::picRxSpectrum}) {
        form.ClickPicture(other);
        EXPECT_TRUE(Cleared().empty()) << NameOf(other);
    }
}

TEST_F(PanelSwitches, SlidersClearTheEyesTheyAffect) {
    canvases.Reset();
    ASSERT_TRUE(form.SetSliderValue(SliderId::vscTxEyeScale, 100));
    EXPECT_EQ(form.Views().dTxEyeScale, 4.5);
    EXPECT_EQ(Cleared(), (std::vector<PictureId>{P::picTxEye, P::picChannelEye}));
    ASSERT_TRUE(form.SetSliderValue(SliderId::hscSample, -7));
    EXPECT_EQ(Cleared(), std::vector<PictureId>{P::picRxEye});
    ASSERT_TRUE(form.SetSliderValue(SliderId::vscThreshold, 30));
    EXPECT_EQ(Cleared(), std::vector<PictureId>{P::picRxEye});
    ASSERT_TRUE(form.SetSliderValue(SliderId::vscSpectrumRange, 151));
    EXPECT_TRUE(Cleared().empty());
}

TEST_F(PanelSwitches, SlidersAndChecksRefuseValuesOutsideTheirRange) {
    const std::string before = test::Dump(form);
    EXPECT_FALSE(form.SetSliderValue(SliderId::vscThreshold, 101));
    EXPECT_FALSE(form.SetSliderValue(SliderId::hscSample, -33));
    EXPECT_FALSE(form.SetSliderValue(SliderId::hscDataZoom, 0));
    EXPECT_FALSE(form.SetSliderValue(SliderId::hscDataScroll, 38));  // scenes set 37
    EXPECT_FALSE(form.SetCheckValue(CheckId::chkData, 2));
    EXPECT_FALSE(form.SetCheckValue(CheckId::chkInvert, -1));
    EXPECT_EQ(test::Dump(form), before);
}

TEST_F(PanelSwitches, ZoomSetsScrollRangeAndRedrawsCheckedStrips) {
    form.Timer1_Timer();  // a redraw shows the last run
    ASSERT_TRUE(form.SetSliderValue(SliderId::hscDataScroll, 30));
    const int maxima[] = {49, 37, 25, 13};
    for (int zoom : {2, 3, 4, 1}) {
        canvases.Reset();
        ASSERT_TRUE(form.SetSliderValue(SliderId::hscDataZoom, zoom));
        EXPECT_EQ(form.Slider(SliderId::hscDataScroll).max, maxima[zoom - 1]);
        EXPECT_GT(canvases[P::picData].lines, 0) << zoom;  // scene 0 checks the data strip
        EXPECT_EQ(canvases[P::picPreData].lines, 0) << zoom;
    }
    // Zoom 4 pulled the position down to its maximum; zoom 1 leaves it there.
    EXPECT_EQ(form.Slider(SliderId::hscDataScroll).value, 13);
    canvases.Reset();
    ASSERT_TRUE(form.SetSliderValue(SliderId::hscDataScroll, 2));
    EXPECT_GT(canvases[P::picData].lines, 0);
}

TEST_F(PanelSwitches, DataSourceRestartsBothSidesAndPickingRunsTheHandlerAgain) {
    canvases.Reset();
    ASSERT_TRUE(form.PickItem(ListId::cmbData, 0));  // the item already chosen
    EXPECT_EQ(Cleared(),
              (std::vector<PictureId>{P::picTxEye, P::picChannelEye, P::picRxEye, P::picTxSpectrum,
                                      P::picChannelSpectrum, P::picRxSpectrum}));
    ASSERT_TRUE(form.SetText(ListId::cmbData, "Random Data"));  // same text: no change
    EXPECT_TRUE(Cleared().empty());
}

TEST_F(PanelSwitches, ReceiverSettingRestartsOnlyTheReceiverSide) {
    canvases.Reset();
    ASSERT_TRUE(form.SetText(ListId::cmbPreCode1, "Scramble"));
    EXPECT_EQ(Cleared(), (std::vector<PictureId>{P::picChannelEye, P::picRxEye,
                                                 P::picChannelSpectrum, P::picRxSpectrum}));
    ASSERT_TRUE(form.SetText(ListId::cmbTxEB0, "10"));  // copies to the receiver
    EXPECT_EQ(Cleared(),
              (std::vector<PictureId>{P::picTxEye, P::picChannelEye, P::picRxEye, P::picTxSpectrum,
                                      P::picChannelSpectrum, P::picRxSpectrum}));
}

TEST_F(PanelSwitches, AttachingNothingReturnsToTheModelsOwnCanvas) {
    Canvas* attached = form.Picture(P::picRxEye).canvas;
    form.AttachCanvas(P::picRxEye, nullptr);
    EXPECT_NE(form.Picture(P::picRxEye).canvas, attached);
    EXPECT_NE(form.Picture(P::picRxEye).canvas, nullptr);
    EXPECT_GT(form.CanvasOf(P::picRxEye).ScaleWidth(), 0);
}

}  // namespace
}  // namespace linelab
