#include "ui/ListTexts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string_view>

#include "tests/CaseName.h"

namespace linelab {
namespace {

TEST(ListTexts, NamesAreRecognisedExactly) {
    EXPECT_EQ(FindDataSource("PRBS Length 7"), DataSource::Prbs7);
    EXPECT_EQ(FindPreCoding("Scramble"), PreCoding::Scramble);
    EXPECT_EQ(FindLineCode("4B5B + NRZI"), LineCoding::FourB5BNrzi);
    EXPECT_EQ(FindFormat("4-PAM"), Format::Pam4);
    EXPECT_EQ(FindFilterType("Root RC"), FilterType::RootRC);
    EXPECT_FALSE(FindFormat("4-PAM "));
    EXPECT_FALSE(FindFormat("4-pam"));
    EXPECT_FALSE(FindLineCode("4B5B+NRZI"));
    EXPECT_FALSE(FindFilterType(""));
    EXPECT_EQ(SymbolRate(FindLineCode("None"), FindFormat("4-pam")), 1.0);
}

// Each id's text leads back to that id, and no two ids of a list share a text.
template <typename Id, std::size_t N, typename Find>
void ExpectRoundTrip(const std::array<Id, N>& ids, Find find) {
    std::set<std::string_view> seen;
    for (Id id : ids) {
        EXPECT_EQ(find(Name(id)), id) << Name(id);
        EXPECT_TRUE(seen.insert(Name(id)).second) << Name(id);
        EXPECT_EQ(NameOr(std::optional<Id>(id)), Name(id));
    }
    EXPECT_EQ(NameOr(std::optional<Id>()), "");
}

TEST(ListTexts, EveryIdHasItsOwnText) {
    ExpectRoundTrip(kAllLineCodings, FindLineCode);
    ExpectRoundTrip(kAllFormats, FindFormat);
    ExpectRoundTrip(std::array{FilterType::None, FilterType::SteepCutoff, FilterType::SinglePole,
                               FilterType::RC, FilterType::RootRC, FilterType::Matched},
                    FindFilterType);
    ExpectRoundTrip(std::array{DataSource::Random, DataSource::ExponentialRuns, DataSource::Prbs7,
                               DataSource::Zeros75, DataSource::Ones75, DataSource::AllZeros,
                               DataSource::AllOnes},
                    FindDataSource);
    ExpectRoundTrip(std::array{PreCoding::None, PreCoding::Differential, PreCoding::Scramble},
                    FindPreCoding);
}

}  // namespace
}  // namespace linelab
