// The harness's own checks must be able to fail: a checker that passes everything would
// let every replay pass too.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "tests/fuzz/CheckingCanvas.h"
#include "tests/fuzz/CheckingObserver.h"

namespace linelab::fuzz {
namespace {

struct LineCase {
    int width, height;
    double x1, y1, x2, y2;
    bool fault;

    friend void PrintTo(const LineCase& c, std::ostream* os) {
        *os << c.width << "x" << c.height << " from " << c.x1 << "," << c.y1 << " to " << c.x2
            << "," << c.y2;
    }
};

class CheckingCanvasLines : public testing::TestWithParam<LineCase> {};

TEST_P(CheckingCanvasLines, FlagsEveryLineOutsideTheMargin) {
    const LineCase& c = GetParam();
    CheckingCanvas canvas(c.width, c.height);
    canvas.Line(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(!canvas.Fault().empty(), c.fault) << canvas.Fault();
    EXPECT_EQ(canvas.Lines(), 1);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Lines, CheckingCanvasLines,
                         testing::Values(LineCase{300, 150, 0, 0, 300, 150, false},
                                         LineCase{300, 150, -300, -150, 600, 300, false},
                                         LineCase{300, 150, -300.5, 0, 0, 0, true},
                                         LineCase{300, 150, 0, 0, 600.5, 0, true},
                                         LineCase{300, 150, 0, -150.5, 0, 0, true},
                                         LineCase{300, 150, 0, 0, 0, 300.5, true},
                                         LineCase{300, 150, kNaN, 0, 0, 0, true},
                                         LineCase{300, 150, 0, 0, 0, kInf, true},
                                         LineCase{0, 150, 0, 0, 0, 0, true},
                                         LineCase{300, 0, 0, 0, 0, 0, true}));

TEST(CheckingCanvas, FlagsAColourBeyondTwentyFourBits) {
    CheckingCanvas canvas(300, 150);
    canvas.SetColour(0xFFFFFF);
    EXPECT_EQ(canvas.Fault(), "");
    canvas.SetColour(0x1000000);
    EXPECT_NE(canvas.Fault(), "");
}

TEST(CheckingObserver, AStoppingMessageMustFindTheTimerDisabled) {
    Form1 form;
    CheckingObserver running(form);
    running.Report("Unknown Modulation Type", true);
    EXPECT_NE(running.Fault(), "");

    form.ClickPause();  // "Cont": the timer is off
    CheckingObserver paused(form);
    paused.Report("Unknown Modulation Type", true);
    EXPECT_EQ(paused.Fault(), "");
    paused.Report("Unknown Modulation Type", false);  // this one always stops the timer
    EXPECT_NE(paused.Fault(), "");
}

TEST(CheckingObserver, FlagsAMessageThatIsNotTheProgramsOwn) {
    Form1 form;
    CheckingObserver observer(form);
    observer.Report("Unknown Modulation Format for Thresholds", false);
    EXPECT_EQ(observer.Fault(), "");
    observer.Report("Overflow", false);
    EXPECT_NE(observer.Fault(), "");
}

}  // namespace
}  // namespace linelab::fuzz
