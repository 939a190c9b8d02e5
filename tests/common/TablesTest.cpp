#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "common/Tables.h"
#include "tests/CaseName.h"

namespace linelab {
namespace {

struct Rate {
    std::optional<LineCoding> code;  // empty: a code no list offers
    double twoLevel;                 // symbol rate with a two-level format
    int16_t baud;

    friend void PrintTo(const Rate& r, std::ostream* os) {
        if (r.code)
            PrintTo(*r.code, os);
        else
            *os << "unknown";
    }
};

class CodeRates : public testing::TestWithParam<Rate> {};

TEST_P(CodeRates, SymbolRateHalvesForFourLevels) {
    const auto code = GetParam().code;
    EXPECT_EQ(SymbolRate(code, Format::PolarNrz), GetParam().twoLevel);
    EXPECT_EQ(SymbolRate(code, Format::Pam4), GetParam().twoLevel / 2);
    EXPECT_EQ(SymbolRate(code, std::nullopt), GetParam().twoLevel);  // no format: two levels
    EXPECT_EQ(CodeBaud(code), GetParam().baud);
}

// The 4B5B codes run at 1.2, not 1.25, while their strip scale is 12 * 1.25; an unknown
// code counts as "None".
INSTANTIATE_TEST_SUITE_P(
    Codes, CodeRates,
    testing::Values(Rate{LineCoding::None, 1.0, 12}, Rate{LineCoding::Differential, 1.0, 12},
                    Rate{LineCoding::Manchester, 2.0, 24},
                    Rate{LineCoding::DiffManchester, 2.0, 24}, Rate{LineCoding::FourB5B, 1.2, 15},
                    Rate{LineCoding::FourB5BNrzi, 1.2, 15}, Rate{std::nullopt, 1.0, 12}));

}  // namespace
}  // namespace linelab
