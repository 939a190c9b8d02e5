#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "dsp/DesignFilters.h"
#include "tests/dsp/FakeFilterSettings.h"
#include "tests/dsp/RecordingReporter.h"
#include "tests/dsp/ResponseTestUtil.h"

namespace linelab {
namespace {

std::unique_ptr<Responses> Design(FakeFilterSettings& settings, double baud = 1.0) {
    auto out = std::make_unique<Responses>();
    RecordingReporter reporter;
    DesignFilters(settings, baud, *out, &reporter);
    EXPECT_TRUE(reporter.messages.empty());
    return out;
}

TEST(DesignFilters, StartUpSettingsPassTheBasePulseThroughAnOpenChannel) {
    FakeFilterSettings settings(StartTexts());
    const auto r = Design(settings);
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_EQ(Bin(r->dRxResponse, k), std::complex<double>(1, 0)) << k;
        EXPECT_EQ(r->dChannelResponse[2 * k], k == 1024 ? 0.0 : 1.0) << k;
        EXPECT_EQ(Bin(r->dTotalResponse, k), k == 1024 ? 0.0 : Bin(r->dTxResponse, k)) << k;
    }
    EXPECT_NEAR(r->dTxResponse[0], 1.0, 1e-15);
}

// A raised cosine matched at the receiver through an open channel: the total is the square
// of the transmit response, real in every bin.
TEST(DesignFilters, MatchedRaisedCosineGivesTheSquare) {
    FilterTexts texts = StartTexts();
    texts.side[0].filter = "RC";
    texts.side[1].filter = "Matched";
    FakeFilterSettings settings(texts);
    const auto r = Design(settings);
    for (int k = 0; k < kPoints; ++k) {
        const double t = r->dTxResponse[2 * k];
        EXPECT_EQ(r->dTotalResponse[2 * k + 1], 0.0) << k;
        EXPECT_DOUBLE_EQ(r->dTotalResponse[2 * k], t * t) << k;
    }
}

// A typed "60" is rewritten "63", and the transmit pulse is then 63 % wide.
TEST(DesignFilters, DesignsWithTheRewrittenText) {
    FilterTexts typed = StartTexts();
    typed.side[0].modPC = "60";
    FakeFilterSettings settings(typed);
    const auto r = Design(settings);
    ASSERT_EQ(settings.writes.size(), 1u);
    EXPECT_EQ(settings.writes[0], (WriteBack{FilterBox::ModPC, 0, "63"}));

    FilterTexts rounded = StartTexts();
    rounded.side[0].modPC = "63";
    FakeFilterSettings reference(rounded);
    EXPECT_EQ(r->dTxResponse, Design(reference)->dTxResponse);
    EXPECT_TRUE(reference.writes.empty());
}

// A box that does not keep its rewritten text still cannot push the design out of range.
TEST(DesignFilters, RefusedRewritesStillGiveTheRoundedDesign) {
    FilterTexts wild = StartTexts();
    wild.side[0] = {"1e999", "RC", "x", "-7"};
    wild.side[1] = {"abc", "SteepCutoff", "1e999", "x"};
    wild.lowPass = "1e999";
    wild.highPass = "-1e999";
    FakeFilterSettings refusing(wild);
    refusing.keepWrites = false;
    const auto r = Design(refusing);
    EXPECT_EQ(refusing.writes.size(), 4u);

    FilterTexts rounded = wild;
    rounded.side[0] = {"100", "RC", "x", "1"};
    rounded.side[1] = {"6", "SteepCutoff", "6", "x"};
    FakeFilterSettings reference(rounded);
    const auto expected = Design(reference);
    EXPECT_EQ(r->dTxResponse, expected->dTxResponse);
    EXPECT_EQ(r->dRxResponse, expected->dRxResponse);
    for (int i = 0; i < kSignalFloats; ++i)
        ASSERT_TRUE(std::isfinite(r->dTotalResponse[i]));
}

TEST(DesignFilters, EmptyChannelBandSilencesEverything) {
    FilterTexts texts = StartTexts();
    texts.lowPass = "0.5";
    texts.highPass = "0.5";
    FakeFilterSettings settings(texts);
    const auto r = Design(settings);
    for (int i = 0; i < kSignalFloats; ++i)
        ASSERT_EQ(r->dTotalResponse[i], 0.0) << i;
}

TEST(DesignFilters, LeavesTheUnusedElementsAlone) {
    FakeFilterSettings settings(StartTexts());
    Responses r;
    for (Signal* s : {&r.dTxResponse, &r.dRxResponse, &r.dChannelResponse, &r.dTotalResponse}) {
        (*s)[kSignalFloats] = 42.0;
    }
    DesignFilters(settings, 1.0, r, nullptr);
    for (Signal* s : {&r.dTxResponse, &r.dRxResponse, &r.dChannelResponse, &r.dTotalResponse}) {
        EXPECT_EQ((*s)[kSignalFloats], 42.0);
    }
}

}  // namespace
}  // namespace linelab
