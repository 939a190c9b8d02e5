#include <gtest/gtest.h>

#include <ostream>

#include "common/Tables.h"
#include "tests/CaseName.h"

namespace linelab {
namespace {

struct Rate {
    const char* code;
    double twoLevel;  // symbol rate with a two-level format
    int16_t baud;

    friend void PrintTo(const Rate& r, std::ostream* os) { *os << test::ShortText(r.code); }
};

class CodeRates : public testing::TestWithParam<Rate> {};

TEST_P(CodeRates, SymbolRateHalvesForFourLevels) {
    const auto code = FindLineCode(GetParam().code);
    EXPECT_EQ(SymbolRate(code, Format::PolarNrz), GetParam().twoLevel);
    EXPECT_EQ(SymbolRate(code, Format::Pam4), GetParam().twoLevel / 2);
    EXPECT_EQ(SymbolRate(code, std::nullopt), GetParam().twoLevel);  // no format: two levels
    EXPECT_EQ(CodeBaud(code), GetParam().baud);
}

// The 4B5B codes run at 1.2, not 1.25, while their strip scale is 12 * 1.25; an unknown
// code counts as "None".
INSTANTIATE_TEST_SUITE_P(Codes, CodeRates,
                         testing::Values(Rate{"None", 1.0, 12}, Rate{"Differential", 1.0, 12},
                                         Rate{"Manchester", 2.0, 24},
                                         Rate{"Diff. Manchester", 2.0, 24}, Rate{"4B5B", 1.2, 15},
                                         Rate{"4B5B + NRZI", 1.2, 15}, Rate{"", 1.0, 12},
                                         Rate{"manchester", 1.0, 12}));

TEST(Tables, NamesAreRecognisedExactly) {
    EXPECT_EQ(FindDataSource("PRBS Length 7"), DataSource::Prbs7);
    EXPECT_EQ(FindPreCoding("Scramble"), PreCoding::Scramble);
    EXPECT_EQ(FindLineCode("4B5B + NRZI"), LineCoding::FourB5BNrzi);
    EXPECT_EQ(FindFormat("4-PAM"), Format::Pam4);
    EXPECT_FALSE(FindFormat("4-PAM "));
    EXPECT_FALSE(FindLineCode("4B5B+NRZI"));
    EXPECT_EQ(SymbolRate(FindLineCode("None"), FindFormat("4-pam")), 1.0);
}

}  // namespace
}  // namespace linelab
