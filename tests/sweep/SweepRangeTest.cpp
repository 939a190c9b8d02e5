#include <gtest/gtest.h>

#include "sweep/SweepRange.h"

namespace linelab {
namespace {

TEST(SweepRange, BothEndsIncludedWithoutDrift) {
    EXPECT_EQ(ParseSweepRange("0:2:8"), (std::vector<double>{0, 2, 4, 6, 8}));
    const auto tenths = ParseSweepRange("0:0.1:1");
    ASSERT_TRUE(tenths);
    EXPECT_EQ(tenths->size(), 11u);
    EXPECT_DOUBLE_EQ(tenths->back(), 1.0);
    EXPECT_EQ(ParseSweepRange("8:-4:0"), (std::vector<double>{8, 4, 0}));
    EXPECT_EQ(ParseSweepRange("-2:3:5"), (std::vector<double>{-2, 1, 4}));  // 5 not reached
    EXPECT_EQ(ParseSweepRange("3:0:3"), (std::vector<double>{3}));
}

TEST(SweepRange, RefusesWhatIsNotARange) {
    for (const char* bad : {"", "0:1", "0:1:2:3", "a:1:2", "0:0:1", "0:-1:5", "0:1:nan",
                            "0:1e-9:100", "0 :1:2", "0:1:inf", "1e999:1:2"})
        EXPECT_FALSE(ParseSweepRange(bad)) << bad;
}

}  // namespace
}  // namespace linelab
