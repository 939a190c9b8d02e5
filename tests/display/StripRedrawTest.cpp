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

constexpr int kStripWidth = 7200;
constexpr int kStripHeight = 600;

class StripRedrawTest : public ::testing::Test {
  protected:
    StripRedrawTest() {
        for (auto& c : canvases_)
            c = std::make_unique<RecordingCanvas>(kStripWidth, kStripHeight);
    }

    void Redraw(const StripSwitches& on, int zoom = 1, double start = 0) {
        RedrawStrips(record_, on, zoom, start, [this](StripPanel p) -> Canvas& { return Of(p); });
    }

    void Record(StripPanel p, int16_t iBaud, const Bits& data, const Bits& compare,
                int16_t iMin = 0, int16_t iMax = 1) {
        RecordStrip(record_.Of(p), 16, iBaud, data, compare, kBlue, iMin, iMax);
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

    StripRecord record_;
    Bits zeros_{};
    std::array<std::unique_ptr<RecordingCanvas>, 8> canvases_;
};

TEST_F(StripRedrawTest, DrawsOnlyCheckedStripsTheLastRunDrew) {
    for (StripPanel p : {StripPanel::Data, StripPanel::ModData, StripPanel::PostData})
        Record(p, 12, zeros_, zeros_);
    Redraw({StripPanel::Data, StripPanel::ModData, StripPanel::RxData});
    for (int p = 0; p < 8; ++p) {
        const bool drawn = p == 0 || p == 3;  // RxData is on but the run did not draw it
        EXPECT_EQ(canvases_[p]->clears, drawn ? 1 : 0) << p;
        EXPECT_EQ(canvases_[p]->lines.empty(), !drawn) << p;
    }
    record_.NewRun(10);
    Redraw({StripPanel::Data});
    EXPECT_EQ(Of(StripPanel::Data).clears, 1);  // a new run forgets the old pictures
}

// The recorded copies are drawn, not the arrays they came from: a stage that rewrites its
// array after the strip was drawn (the NRZI removal) cannot change the redraw.
TEST_F(StripRedrawTest, ReplaysTheRunsOwnArgumentsAndCopies) {
    Bits data{};
    Bits sent{};
    sent[1] = 1;
    Record(StripPanel::DecodedData, 15, data, sent);
    data[1] = 1;  // rewritten in place after the run drew it
    Record(StripPanel::ModData, 8, sent, sent, -3, 3);
    Redraw({StripPanel::ModData, StripPanel::DecodedData}, 2);
    EXPECT_GT(RedLines(StripPanel::DecodedData), 0);
    EXPECT_EQ(RedLines(StripPanel::ModData), 0);
    EXPECT_EQ(SecondSlotX(StripPanel::DecodedData), 240);  // 15 code bits, zoom 2
    EXPECT_EQ(SecondSlotX(StripPanel::ModData), 450);      // the run's own 8 slots
    EXPECT_EQ(Of(StripPanel::ModData).lines[0].y1, 300);   // 0, half way up -3..3
}

TEST_F(StripRedrawTest, TheScrollPositionPicksWhereTheStripsStart) {
    EXPECT_DOUBLE_EQ(RunSpan(12, false), 128.0 / 12);
    EXPECT_DOUBLE_EQ(RunSpan(15, true), 128.0 / 8);
    EXPECT_DOUBLE_EQ(ScrollStart(0, 37, 1, 10), 0);
    EXPECT_DOUBLE_EQ(ScrollStart(37, 37, 1, 10), 9);  // the last panel width of the run
    EXPECT_DOUBLE_EQ(ScrollStart(37, 37, 4, 10), 6);
    EXPECT_DOUBLE_EQ(ScrollStart(50, 37, 4, 3), 0);  // a run shorter than the strips
    EXPECT_DOUBLE_EQ(ScrollStart(5, 0, 1, 10), 0);

    Bits data{};
    data[24] = 1;
    Record(StripPanel::Data, 12, data, data);
    Redraw({StripPanel::Data}, 1, 2.0);  // two panel widths on: element 24 comes first
    EXPECT_EQ(Of(StripPanel::Data).lines[0].y1, 120);
    EXPECT_EQ(Of(StripPanel::Data).lines[0].x1, 0);
    Redraw({StripPanel::Data}, 1, 1000.0);  // past the end: cleared, nothing drawn
    EXPECT_TRUE(Of(StripPanel::Data).lines.empty());
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
