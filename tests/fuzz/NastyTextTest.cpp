// Every text of the nasty-text dictionary typed into every editable box, with every panel
// drawing, one tick after each; and the typed numbers the design pass must round and limit.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>

#include "tests/CaseName.h"
#include "tests/fuzz/FormFuzzHarness.h"
#include "tests/fuzz/NastyTexts.h"
#include "tests/support/CountShare.h"

namespace linelab {
// Readable case names: a box and a filter show as their names, not as an address. Internal
// linkage keeps these to this file.
static void PrintTo(const std::tuple<ListId, const char*>& c, std::ostream* os) {
    *os << NameOf(std::get<0>(c)) << ", " << std::get<1>(c);
}
}  // namespace linelab

namespace linelab::fuzz {
namespace {

bool RewrittenByDesign(ListId id) {
    return id >= ListId::cmbTxModPC0 && id <= ListId::cmbTxEB1;
}

// The scene with every channel box in use, every panel switched on, both sides on `filter`,
// a noisy channel with an echo so that every stage has something to carry.
void PrepareBusyForm(FormFuzzHarness& h, const std::string& filter) {
    const auto step = [&](Action a) { ASSERT_EQ(h.Step(a), ""); };
    step(SceneAction(6));
    for (int i = 0; i < CountOf<CheckId>(); ++i) {
        const auto id = static_cast<CheckId>(i);
        if (id != CheckId::chkInvert) step(CheckAction(id, 1));
    }
    step(TypeAction(ListId::cmbTxFilter0, filter));
    step(TypeAction(ListId::cmbNoise, "0.4"));
    step(TypeAction(ListId::cmbMultipathMag, "40"));
    step(TypeAction(ListId::cmbMultipathDelay, "1.5"));
}

using BoxCase = std::tuple<ListId, const char*>;

// Each box under a filter that reads it; the pulse widths also under "RC", which a pulse
// narrower than full width turns into "None".
const BoxCase kBoxCases[] = {
    {ListId::cmbTxModPC0, "SinglePole"},
    {ListId::cmbTxModPC1, "SinglePole"},
    {ListId::cmbTxModPC0, "RC"},
    {ListId::cmbTxModPC1, "RC"},
    {ListId::cmbTxBW0, "SteepCutoff"},
    {ListId::cmbTxBW1, "SinglePole"},
    {ListId::cmbTxEB0, "RC"},
    {ListId::cmbTxEB1, "Root RC"},
    {ListId::cmbHighPass, "SinglePole"},
    {ListId::cmbLowPass, "SinglePole"},
    {ListId::cmbNoise, "SteepCutoff"},
    {ListId::cmbMultipathDelay, "SinglePole"},
    {ListId::cmbMultipathMag, "SinglePole"},
};

// Natively every box takes every text. Under the sanitizers, where a tick with every panel
// drawing costs ten times as much, case k takes every kCountShare-th text from the k-th: each
// text is still typed into several boxes, and each box meets texts of every kind.
bool TypedHere(std::size_t text, const BoxCase& c) {
    const auto k = static_cast<std::size_t>(
        std::find(std::begin(kBoxCases), std::end(kBoxCases), c) - std::begin(kBoxCases));
    return (text + k) % test::kCountShare == 0;
}

class EveryBox : public testing::TestWithParam<BoxCase> {};

TEST_P(EveryBox, TakesEveryNastyTextAndKeepsEveryRule) {
    const auto [box, filter] = GetParam();
    FormFuzzHarness harness(HarnessLimits{100000, 100000});
    PrepareBusyForm(harness, filter);
    int taken = 0, typed = 0;
    for (std::size_t i = 0; i < NastyTexts().size(); ++i) {
        if (!TypedHere(i, GetParam())) continue;
        const std::string& text = NastyTexts()[i];
        ++typed;
        std::string fault = harness.Step(TypeAction(box, text));
        const bool accepted = harness.Form().List(box).text == text;
        taken += accepted ? 1 : 0;
        if (fault.empty()) fault = harness.Step(TickAction(1));
        ASSERT_EQ(fault, "") << harness.Reproducer(fault);
        // Only the pulse width, bandwidth and excess bandwidth are rewritten by the design.
        if (accepted && !RewrittenByDesign(box)) {
            EXPECT_EQ(harness.Form().List(box).text, text);
        }
    }
    EXPECT_EQ(harness.Ticks(), typed);
    EXPECT_GT(taken, 0);
}

INSTANTIATE_TEST_SUITE_P(BoxesAndFilters, EveryBox, testing::ValuesIn(kBoxCases));

struct Rewrite {
    ListId box;
    const char* filter;  // transmit filter type while typing
    std::string typed;
    const char* shown;  // after the next tick, on both sides

    friend void PrintTo(const Rewrite& r, std::ostream* os) {
        *os << NameOf(r.box) << ", " << r.filter << ", " << test::ShortText(r.typed);
    }
};

class TypedNumberLimits : public testing::TestWithParam<Rewrite> {};

TEST_P(TypedNumberLimits, TheDesignRoundsAndLimitsTheTypedNumber) {
    const Rewrite& r = GetParam();
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(6));
    ASSERT_TRUE(form.SetText(ListId::cmbTxFilter0, r.filter));
    ASSERT_TRUE(form.SetText(r.box, r.typed));
    form.Timer1_Timer();
    EXPECT_EQ(form.List(r.box).text, r.shown);
    // The receiver's box follows the transmitter's and is rounded the same way.
    EXPECT_EQ(form.List(Element(r.box, 1)).text, r.shown);
    EXPECT_TRUE(form.Timer().enabled);
}

const Rewrite kRewrites[] = {
    {ListId::cmbTxModPC0, "SinglePole", "1e999", "100"},
    {ListId::cmbTxModPC0, "SinglePole", "9e99999999999", "100"},
    {ListId::cmbTxModPC0, "SinglePole", std::string(kMaxListText, '9'), "100"},
    {ListId::cmbTxModPC0, "SinglePole", "-1", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "1e-999", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "nan", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "inf", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "0x10", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "  12abc", "13"},
    {ListId::cmbTxModPC0, "SinglePole", "60", "63"},
    {ListId::cmbTxModPC0, "SinglePole", "3.125", "6"},
    {ListId::cmbTxModPC0, "SinglePole", "9.375", "13"},
    {ListId::cmbTxBW0, "SteepCutoff", "1e999", "6"},
    {ListId::cmbTxBW0, "SteepCutoff", "-1e999", "0.1"},
    {ListId::cmbTxBW0, "SteepCutoff", "NaN", "0.1"},
    {ListId::cmbTxBW0, "SteepCutoff", "-.", "0.1"},
    {ListId::cmbTxBW0, "SteepCutoff", "0.094", "0.1"},
    {ListId::cmbTxBW0, "SteepCutoff", "6.004", "6"},
    {ListId::cmbTxBW0, "SteepCutoff", "2.555", "2.56"},
    {ListId::cmbTxBW0, "SinglePole", "  12abc", "6"},
    {ListId::cmbTxBW0, "SinglePole", std::string(kMaxListText - 1, ' ') + "5", "5"},
    {ListId::cmbTxEB0, "RC", "1e999", "100"},
    {ListId::cmbTxEB0, "RC", "-1", "1"},
    {ListId::cmbTxEB0, "RC", "1e-999", "1"},
    {ListId::cmbTxEB0, "Root RC", "99.5", "100"},
    {ListId::cmbTxEB0, "Root RC", "50.49", "50"},
    {ListId::cmbTxEB0, "Root RC", "\xf0\x9f\x98\x80", "1"},
};

INSTANTIATE_TEST_SUITE_P(Texts, TypedNumberLimits, testing::ValuesIn(kRewrites));

}  // namespace
}  // namespace linelab::fuzz
