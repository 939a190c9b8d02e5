#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

#include "tests/ui/FakeFilterBoxes.h"
#include "ui/FilterBoxes.h"
#include "ui/ListTexts.h"

namespace linelab {
namespace {

struct TextCase {
    std::string typed;
    std::string rounded;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class PulseWidthRounding : public ::testing::TestWithParam<TextCase> {};
TEST_P(PulseWidthRounding, GivesTheNearestSixteenth) {
    EXPECT_EQ(PulseWidthText(GetParam().typed), GetParam().rounded);
}
INSTANTIATE_TEST_SUITE_P(Texts, PulseWidthRounding,
                         ::testing::Values(TextCase{"60", "63"}, TextCase{"abc", "6"},
                                           TextCase{"300", "100"}, TextCase{"0", "6"},
                                           TextCase{"-40", "6"}, TextCase{"9.4", "13"},
                                           TextCase{"1e999", "100"}, TextCase{"-1e999", "6"},
                                           TextCase{"75", "75"}, TextCase{"", "6"}));

class ExcessBandwidthRounding : public ::testing::TestWithParam<TextCase> {};
TEST_P(ExcessBandwidthRounding, GivesAWholePercentFromOneToHundred) {
    EXPECT_EQ(ExcessBandwidthText(GetParam().typed), GetParam().rounded);
}
INSTANTIATE_TEST_SUITE_P(Texts, ExcessBandwidthRounding,
                         ::testing::Values(TextCase{"0", "1"}, TextCase{"150", "100"},
                                           TextCase{"34.5", "35"}, TextCase{"35.4", "35"},
                                           TextCase{"abc", "1"}, TextCase{"1e999", "100"},
                                           TextCase{"50", "50"}));

class BandwidthRounding : public ::testing::TestWithParam<TextCase> {};
TEST_P(BandwidthRounding, GivesHundredthsFromOneTenthToSix) {
    EXPECT_EQ(BandwidthText(GetParam().typed), GetParam().rounded);
}
INSTANTIATE_TEST_SUITE_P(Texts, BandwidthRounding,
                         ::testing::Values(TextCase{"0.05", "0.1"}, TextCase{"7", "6"},
                                           TextCase{"2.556", "2.56"},
                                           // halves round up as far as the double of the text
                                           // shows: the double nearest 0.285 lies just below it
                                           TextCase{"2.555", "2.56"}, TextCase{"0.285", "0.28"},
                                           TextCase{"0.25", "0.25"}, TextCase{".5", "0.5"},
                                           TextCase{"1.0", "1"}, TextCase{"6.004", "6"},
                                           TextCase{"abc", "0.1"}, TextCase{"-2", "0.1"},
                                           TextCase{"1e999", "6"}));

// Every whole percent rounds to one of the sixteen texts, and each of those stays as it is.
TEST(PulseWidthRounding, HasSixteenFixedPoints) {
    std::set<std::string> seen;
    for (int percent = -10; percent <= 130; ++percent) {
        seen.insert(PulseWidthText(std::to_string(percent)));
    }
    const std::set<std::string> expected = {"6",  "13", "19", "25", "31", "38", "44", "50",
                                            "56", "63", "69", "75", "81", "88", "94", "100"};
    EXPECT_EQ(seen, expected);
    for (const std::string& t : expected)
        EXPECT_EQ(PulseWidthText(t), t);
}

TEST(Normalise, WritesNothingWhenTheTextsAreRounded) {
    FakeFilterBoxes settings(StartTexts());
    FilterTexts texts = settings.texts;
    NormaliseFilterTexts(settings, texts);
    EXPECT_TRUE(settings.writes.empty());
}

// The raised-cosine types round their excess bandwidth, every other type its bandwidth.
TEST(Normalise, RewritesEachSideInOrderOnlyWhereTheTextChanges) {
    FilterTexts start = StartTexts();
    start.side[0] = {"60", "RC", "9", "0"};
    start.side[1] = {"100", "Matched", "0.05", "xyz"};
    FakeFilterBoxes settings(start);
    FilterTexts texts = settings.texts;
    NormaliseFilterTexts(settings, texts);

    const std::vector<WriteBack> expected = {
        {FilterBox::ModPC, 0, "63"}, {FilterBox::EB, 0, "1"}, {FilterBox::BW, 1, "0.1"}};
    EXPECT_EQ(settings.writes, expected);
    EXPECT_EQ(texts.side[0].modPC, "63");
    EXPECT_EQ(texts.side[1].bw, "0.1");
}

// A write runs the box's change handling, which here copies the transmitter's pulse width to
// the receiver and switches the transmitter to "Root RC": what follows must see both.
TEST(Normalise, ReadsTheTextsAgainAfterEveryWrite) {
    FilterTexts start = StartTexts();
    start.side[0] = {"30", "None", "1", "500"};
    start.side[1] = {"17", "None", "1", "50"};
    FakeFilterBoxes settings(start);
    settings.onChange = [](FilterBox box, int side, FilterTexts& t) {
        if (box == FilterBox::ModPC && side == 0) {
            t.side[1].modPC = t.side[0].modPC;
            t.side[0].filter = "Root RC";
        }
    };
    FilterTexts texts = settings.texts;
    NormaliseFilterTexts(settings, texts);

    const std::vector<WriteBack> expected = {{FilterBox::ModPC, 0, "31"},
                                             {FilterBox::EB, 0, "100"}};
    EXPECT_EQ(settings.writes, expected);
    EXPECT_EQ(texts.side[0].filter, "Root RC");
    EXPECT_EQ(texts.side[1].modPC, "31");
    EXPECT_EQ(texts.side[0].eb, "100");
}

// The record takes each box through the rewrite's rounding, so a box that refused its
// rewritten text still gives the rounded value.
TEST(FilterConfigOf, ReadsTheBoxesAsTheyWouldBeRewritten) {
    FilterTexts wild = StartTexts();
    wild.side[0] = {"1e999", "RC", "x", "-7"};
    wild.side[1] = {"60", "SteepCutoff", "2.556", "x"};
    wild.lowPass = "1e999";
    wild.highPass = "abc";
    FakeFilterBoxes refusing(wild);
    refusing.keepWrites = false;
    FilterTexts texts = refusing.texts;
    NormaliseFilterTexts(refusing, texts);
    ASSERT_EQ(refusing.writes.size(), 4u);

    FilterTexts rewritten = wild;
    for (const WriteBack& w : refusing.writes)
        BoxText(rewritten, w.box, w.side) = w.text;
    EXPECT_EQ(FilterConfigOf(texts), FilterConfigOf(rewritten));
    const FilterConfig f = FilterConfigOf(texts);
    EXPECT_EQ(f.side[0], (SideFilter{FilterType::RC, 16, 0.1, 1}));
    EXPECT_EQ(f.side[1], (SideFilter{FilterType::SteepCutoff, 10, 2.56, 1}));
    EXPECT_EQ(f.lowPass, std::numeric_limits<double>::max());
    EXPECT_EQ(f.highPass, 0.0);
}

// Each list item names its type; anything else, even a near miss, names none. "None" as a
// band edge is no edge.
TEST(FilterConfigOf, NamesTypesByTheExactListItem) {
    for (std::size_t i = 0; i < kFilterTypeNames.size(); ++i)
        EXPECT_EQ(FindFilterType(kFilterTypeNames[i]), static_cast<FilterType>(i));
    for (const char* text : {"", "rc", "None ", "RootRC", "Bogus"})
        EXPECT_EQ(FindFilterType(text), std::nullopt) << text;
    const FilterConfig open = FilterConfigOf(StartTexts());
    EXPECT_EQ(open.lowPass, std::nullopt);
    EXPECT_EQ(open.highPass, std::nullopt);
}

}  // namespace
}  // namespace linelab
