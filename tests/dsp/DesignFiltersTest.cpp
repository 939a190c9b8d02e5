#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "dsp/DesignFilters.h"
#include "tests/dsp/RecordingReporter.h"
#include "tests/dsp/ResponseTestUtil.h"
#include "tests/support/FilterRecords.h"

namespace linelab {
namespace {

using test::Filters;

std::unique_ptr<Responses> Design(const FilterConfig& settings, double baud = 1.0) {
    auto out = std::make_unique<Responses>();
    RecordingReporter reporter;
    DesignFilters(settings, baud, *out, &reporter);
    EXPECT_TRUE(reporter.messages.empty());
    return out;
}

TEST(DesignFilters, NoneOnBothSidesPassesTheBasePulseThroughAnOpenChannel) {
    const auto r = Design(Filters(FilterType::None, FilterType::None));
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
    const auto r = Design(Filters(FilterType::RC, FilterType::Matched));
    for (int k = 0; k < kPoints; ++k) {
        const double t = r->dTxResponse[2 * k];
        EXPECT_EQ(r->dTotalResponse[2 * k + 1], 0.0) << k;
        EXPECT_DOUBLE_EQ(r->dTotalResponse[2 * k], t * t) << k;
    }
}

TEST(DesignFilters, EmptyChannelBandSilencesEverything) {
    FilterConfig settings;
    settings.lowPass = settings.highPass = 0.5;
    const auto r = Design(settings);
    for (int i = 0; i < kSignalFloats; ++i)
        ASSERT_EQ(r->dTotalResponse[i], 0.0) << i;
}

TEST(DesignFilters, LeavesTheUnusedElementsAlone) {
    const FilterConfig settings;
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
