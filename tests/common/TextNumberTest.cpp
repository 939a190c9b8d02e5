#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "common/TextNumber.h"
#include "common/Uniform.h"
#include "tests/CaseName.h"

namespace linelab {
namespace {

struct Reading {
    std::string text;
    double value;

    friend void PrintTo(const Reading& r, std::ostream* os) { *os << test::ShortText(r.text); }
};

class ValText : public testing::TestWithParam<Reading> {};

TEST_P(ValText, ReadsTheLeadingNumber) {
    EXPECT_EQ(Val(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValText,
    testing::Values(Reading{"  12abc", 12}, Reading{"-1", -1}, Reading{".5", 0.5}, Reading{"5.", 5},
                    Reading{"+2.5e1x", 25}, Reading{"1e", 1}, Reading{"1e+", 1},
                    Reading{"1.2.3", 1.2}, Reading{"abc", 0}, Reading{"", 0}, Reading{".", 0},
                    Reading{"-", 0}, Reading{"- 5", 0}, Reading{"e5", 0},
                    Reading{"\xF0\x9F\x98\x80"
                            "5",
                            0},
                    Reading{"1e999", DBL_MAX}, Reading{"-1e999", -DBL_MAX}, Reading{"1e-999", 0},
                    Reading{"0e999", 0}, Reading{std::string(10000, '9'), DBL_MAX},
                    Reading{std::string("1") + std::string(400, '0') + "e-5", DBL_MAX},
                    Reading{std::string("0.") + std::string(10000, '0') + "1", 0},
                    Reading{std::string("0.") + std::string(400, '0') + "1e400", 0.1},
                    Reading{"1e99999999999999999999999", DBL_MAX}));

TEST(Int, IsTheFloor) {
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-2.1), -3);
    EXPECT_EQ(Int(-3), -3);
}

struct Rounding {
    double x;
    int32_t cint;
    int32_t clng;

    friend void PrintTo(const Rounding& r, std::ostream* os) { *os << r.x; }
};

class RoundsHalvesToEven : public testing::TestWithParam<Rounding> {};

TEST_P(RoundsHalvesToEven, AndSaturates) {
    EXPECT_EQ(CInt(GetParam().x), GetParam().cint);
    EXPECT_EQ(CLng(GetParam().x), GetParam().clng);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundsHalvesToEven,
    testing::Values(Rounding{0.5, 0, 0}, Rounding{1.5, 2, 2}, Rounding{2.5, 2, 2},
                    Rounding{-2.5, -2, -2}, Rounding{-3.5, -4, -4}, Rounding{2.4999, 2, 2},
                    Rounding{32767.5, 32767, 32768}, Rounding{-32768.5, -32768, -32768},
                    Rounding{40000, 32767, 40000}, Rounding{-1e300, -32768, INT32_MIN},
                    Rounding{3e9, 32767, INT32_MAX}, Rounding{NAN, 0, 0},
                    Rounding{INFINITY, 32767, INT32_MAX}));

TEST(NumberText, ShortestDecimalWithoutExponent) {
    EXPECT_EQ(NumberText(0.0001), "0.0001");
    EXPECT_EQ(NumberText(0.5), "0.5");
    EXPECT_EQ(NumberText(0.0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(120), "120");
    EXPECT_EQ(NumberText(-1.25), "-1.25");
    EXPECT_EQ(NumberText(1e21), "1000000000000000000000");
    EXPECT_EQ(NumberText(NAN), "0");
}

TEST(NumberText, ReadsBackExactly) {
    Uniform rng;
    for (int i = 0; i < 2000; ++i) {
        const double x =
            (rng.Next() - 0.5) * std::pow(10.0, static_cast<int>(rng.Next() * 40) - 20);
        ASSERT_EQ(Val(NumberText(x)), x) << NumberText(x);
    }
    EXPECT_EQ(Val(NumberText(DBL_MAX)), DBL_MAX);
    EXPECT_EQ(Val(NumberText(DBL_TRUE_MIN)), DBL_TRUE_MIN);
}

}  // namespace
}  // namespace linelab
