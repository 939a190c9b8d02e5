#include <gtest/gtest.h>

#include "engine/RunControl.h"

namespace linelab {
namespace {

TEST(RunControl, ThreeClicksFromStartUp) {
    RunControl run;
    run.PauseClick();
    EXPECT_FALSE(run.enabled);
    EXPECT_EQ(run.caption, "Cont");
    run.PauseClick();
    EXPECT_TRUE(run.enabled);
    EXPECT_EQ(run.caption, "Slow");
    EXPECT_EQ(run.interval, 1000);
    run.PauseClick();
    EXPECT_TRUE(run.enabled);
    EXPECT_EQ(run.caption, "Pause");
    EXPECT_EQ(run.interval, 100);
}

TEST(RunControl, TimerStoppedByAMessageResumesSlowly) {
    RunControl run;
    run.enabled = false;  // caption still "Pause"
    run.PauseClick();
    EXPECT_TRUE(run.enabled);
    EXPECT_EQ(run.caption, "Slow");
    EXPECT_EQ(run.interval, 1000);
}

TEST(RunControl, RunningUnderAnotherCaptionIgnoresTheClick) {
    RunControl run;
    run.caption = "Cont";
    run.PauseClick();
    EXPECT_TRUE(run.enabled);
    EXPECT_EQ(run.caption, "Cont");
    EXPECT_EQ(run.interval, 100);
}

}  // namespace
}  // namespace linelab
