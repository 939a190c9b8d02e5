#include "display/StripRedraw.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "RecordingCanvas.h"
#include "display/Plots.h"

namespace linelab {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

constexpr int kWidth = 7200;
constexpr int kHeight = 600;

class StripRedrawTest : public ::testing::Test {
  protected:
    StripRedrawTest() {
        for (auto& c : canvases_)
            c = std::make_unique<RecordingCanvas>(kWidth, kHeight);
        state_ = std::make_unique<RunState>();
        state_->iCodeBaud = 15;
        state_->iTxDutyCycle = 16;
    }

    void Redraw(const StripSwitches& on, bool txPam4 = false, bool rxPam4 = false, int zoom = 1) {
        RedrawStrips(*state_, on, txPam4, rxPam4, zoom,
                     [this](StripPanel p) -> Canvas& { return Of(p); });
    }

    RecordingCanvas& Of(StripPanel p) { return *canvases_[static_cast<int>(p)]; }

    int RedLines(StripPanel p) {
        int n = 0;
        for (const DrawnLine& l : Of(p).lines)
            n += l.colour == kRed;
        return n;
    }

    // Width of the first slot: where the second element's flat part starts.
    double SecondSlotX(StripPanel p) {
        for (const DrawnLine& l : Of(p).lines) {
            if (l.y1 == l.y2 && l.x1 > 0) return l.x1;
        }
        return -1;
    }

    std::unique_ptr<RunState> state_;
    std::array<std::unique_ptr<RecordingCanvas>, 8> canvases_;
};

TEST_F(StripRedrawTest, DrawsOnlyTheCheckedStripsInBlue) {
    Redraw({.chkData = true, .chkModData = true, .chkRxData = true});
    for (int p = 0; p < 8; ++p) {
        const bool checked = p == 0 || p == 3 || p == 7;
        EXPECT_EQ(canvases_[p]->clears, checked ? 1 : 0) << p;
        EXPECT_EQ(canvases_[p]->lines.empty(), !checked) << p;
    }
    EXPECT_EQ(Of(StripPanel::Data).Colour(), kBlue);
}

TEST_F(StripRedrawTest, ReceivedStripsAreComparedWithWhatWasSent) {
    state_->iData[2] = 1;
    state_->iPreData[4] = 1;
    state_->iCodedData[6] = 1;
    state_->iModData[1] = 1;
    // The receive side saw nothing: every sent one is an error there.
    const StripSwitches all{true, true, true, true, true, true, true, true};
    Redraw(all);
    for (StripPanel sent :
         {StripPanel::Data, StripPanel::PreData, StripPanel::CodedData, StripPanel::ModData}) {
        EXPECT_EQ(RedLines(sent), 0);
    }
    EXPECT_GT(RedLines(StripPanel::RxData), 0);       // against iData
    EXPECT_GT(RedLines(StripPanel::PostData), 0);     // against iPreData
    EXPECT_GT(RedLines(StripPanel::DecodedData), 0);  // against iCodedData
    EXPECT_GT(RedLines(StripPanel::DemodData), 0);    // against iModData

    state_->iRxData = state_->iData;
    state_->iPostData = state_->iPreData;
    state_->iDecodedData = state_->iCodedData;
    state_->iDemodData = state_->iModData;
    Redraw(all);
    for (int p = 0; p < 8; ++p)
        EXPECT_EQ(RedLines(static_cast<StripPanel>(p)), 0) << p;
}

TEST_F(StripRedrawTest, SlotWidthsFollowTheStripsTimeScale) {
    const StripSwitches all{true, true, true, true, true, true, true, true};
    Redraw(all, false, true, 2);
    EXPECT_EQ(SecondSlotX(StripPanel::Data), 300);       // 12 bits across, zoom 2
    EXPECT_EQ(SecondSlotX(StripPanel::CodedData), 240);  // 15 code bits
    EXPECT_EQ(SecondSlotX(StripPanel::ModData), 240);    // two levels: one per code bit
    EXPECT_EQ(SecondSlotX(StripPanel::DemodData), 450);  // four levels: 15 / 2 -> 8 slots
    EXPECT_EQ(SecondSlotX(StripPanel::DecodedData), 240);
    EXPECT_EQ(SecondSlotX(StripPanel::RxData), 300);
}

TEST_F(StripRedrawTest, FourLevelStripsSpanMinusThreeToThree) {
    state_->iModData[0] = 3;
    state_->iDemodData[0] = 1;
    Redraw({.chkModData = true, .chkDemodData = true}, true, false);
    // Four levels: 3 lies at the top fifth; two levels: 1 lies there.
    EXPECT_EQ(Of(StripPanel::ModData).lines[0].y1, 120);
    EXPECT_EQ(Of(StripPanel::DemodData).lines[0].y1, 120);
    EXPECT_EQ(SecondSlotX(StripPanel::ModData), 900);
    EXPECT_EQ(SecondSlotX(StripPanel::DemodData), 480);
}

TEST(ScrollMaximumTest, ShrinksWithZoomAndHoldsTheSliderRange) {
    EXPECT_EQ(ScrollMaximum(1), 49);
    EXPECT_EQ(ScrollMaximum(2), 37);
    EXPECT_EQ(ScrollMaximum(3), 25);
    EXPECT_EQ(ScrollMaximum(4), 13);
    EXPECT_EQ(ScrollMaximum(0), 49);
    EXPECT_EQ(ScrollMaximum(INT32_MIN), 49);
    EXPECT_EQ(ScrollMaximum(INT32_MAX), 13);
}

}  // namespace
}  // namespace linelab
