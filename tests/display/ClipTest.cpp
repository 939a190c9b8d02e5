#include "display/Clip.h"

#include <gtest/gtest.h>

#include <limits>

#include "RecordingCanvas.h"

namespace linelab {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The margin of a 100 x 50 panel is x in [-100, 200], y in [-50, 100].
const Margin kBox = MarginAround(100, 50);

TEST(ClipTest, SegmentInsideTheMarginIsPassedExactly) {
    test::RecordingCanvas canvas(100, 50);
    ClippedCanvas pic(canvas);
    pic.Line(-100, -50, 200.0 / 3, 100);
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_EQ(canvas.lines[0].x1, -100);
    EXPECT_EQ(canvas.lines[0].y1, -50);
    EXPECT_EQ(canvas.lines[0].x2, 200.0 / 3);
    EXPECT_EQ(canvas.lines[0].y2, 100);
}

TEST(ClipTest, CrossingSegmentIsCutOnTheSameLine) {
    Segment s{50, 25, 500, 70};  // leaves through the right side at x = 200
    ASSERT_TRUE(ClipToMargin(s, kBox));
    EXPECT_EQ(s.x1, 50);
    EXPECT_EQ(s.y1, 25);
    EXPECT_NEAR(s.x2, 200, 1e-9);
    EXPECT_NEAR(s.y2, 25 + 45 * 150.0 / 450, 1e-9);
}

TEST(ClipTest, SegmentThroughTheWholeMarginIsCutAtBothEnds) {
    Segment s{-1e6, -1e6 + 30, 1e6, 1e6 + 30};  // the line y = x + 30
    ASSERT_TRUE(ClipToMargin(s, kBox));
    EXPECT_NEAR(s.x1, -80, 1e-6);
    EXPECT_NEAR(s.y1, -50, 1e-6);
    EXPECT_NEAR(s.x2, 70, 1e-6);
    EXPECT_NEAR(s.y2, 100, 1e-6);
}

TEST(ClipTest, SegmentOutsideOrUndefinedIsDropped) {
    Segment beside{300, 0, 400, 90};
    EXPECT_FALSE(ClipToMargin(beside, kBox));
    Segment nan{0, 0, kNaN, 10};
    EXPECT_FALSE(ClipToMargin(nan, kBox));
    Segment noArea{0, 0, 0, 0};
    EXPECT_FALSE(ClipToMargin(noArea, MarginAround(0, 50)));
    EXPECT_FALSE(ClipToMargin(noArea, MarginAround(100, -1)));
}

TEST(ClipTest, InfiniteEndPointsThatWay) {
    Segment down{10, 10, 10, kInf};
    ASSERT_TRUE(ClipToMargin(down, kBox));
    EXPECT_EQ(down.x1, 10);
    EXPECT_EQ(down.y1, 10);
    EXPECT_NEAR(down.x2, 10, 1e-9);
    EXPECT_EQ(down.y2, 100);

    Segment across{-kInf, 20, kInf, 20};
    ASSERT_TRUE(ClipToMargin(across, kBox));
    EXPECT_EQ(across.x1, -100);
    EXPECT_EQ(across.x2, 200);
    EXPECT_EQ(across.y1, 20);
    EXPECT_EQ(across.y2, 20);
}

TEST(ClipTest, AstronomicalEndsStayFiniteAndNearTheLine) {
    test::RecordingCanvas canvas(100, 50);
    ClippedCanvas pic(canvas);
    pic.Line(-1e308, -1e308, 1e308, 1e308);
    pic.Line(1e308, -1e308, -1e308, 1e308);
    pic.Line(-kInf, kInf, kInf, -kInf);
    pic.Line(20, 30, 1e300, 40);
    ASSERT_EQ(canvas.lines.size(), 4u);
    EXPECT_TRUE(canvas.AllWithinMargin());
    const test::DrawnLine& last = canvas.lines[3];
    EXPECT_EQ(last.x1, 20);
    EXPECT_EQ(last.y1, 30);
    EXPECT_EQ(last.x2, 200);
    EXPECT_NEAR(last.y2, 30, 1e-6);  // the far end's slope is next to nothing
}

}  // namespace
}  // namespace linelab
