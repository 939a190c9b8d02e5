#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/ExactBer.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/Sweep.h"
#include "sweep/SweepSettings.h"
#include "tests/CaseName.h"
#include "tests/support/FilterRecords.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

struct Coded {
    Format format;
    LineCoding code;
};

// The codes whose errors cluster, and plain polar beside them.
const Coded kCodes[] = {
    {Format::PolarNrz, LineCoding::None},
    {Format::PolarNrzi, LineCoding::None},
    {Format::Mlt3, LineCoding::None},
    {Format::Hdb3, LineCoding::None},
    {Format::PolarNrz, LineCoding::DiffManchester},
    {Format::PolarNrz, LineCoding::FourB5B},
    {Format::PolarNrz, LineCoding::FourB5BNrzi},
};

SweepSettings Ideal(const Coded& c) {
    SweepSettings s;
    LinkConfig& t = s.config;
    t.data = DataSource::Random;
    t.preCode = {PreCoding::None, PreCoding::None};
    t.code = {c.code, c.code};
    t.format = {c.format, c.format};
    s.filters = test::Filters(FilterType::RootRC, FilterType::Matched);
    const auto& defaults = DefaultThresholds(c.format);
    std::copy(defaults.begin(), defaults.end(), s.dThresholds.begin());
    s.thresholdSlider = ThresholdSliderFor(defaults[0]);
    UseTextbookReceiver(t);
    return s;
}

struct Coverage {
    double interval = 0;  // share of points whose 95 % interval holds the exact rate
    double binomial = 0;  // the same for the binomial interval, which ignores clustering
};

// 400 points at 6 dB, each of `bits` compared bits (one sweep, each point its own streams).
Coverage At6dB(const Coded& c, uint64_t bits) {
    const SweepSettings s = Ideal(c);
    constexpr int kPoints = 400;
    Sweep sweep(SweepRunners(s, SweepRunner::Folded),
                SweepPointsFor(s, std::vector<double>(kPoints, 6.0)),
                {.minErrors = UINT64_MAX, .maxBits = bits, .seed = 6, .threads = 2});
    sweep.Start();
    sweep.Wait();
    const double exact = ExactBer({c.format, c.code, PreCoding::None}, std::pow(10.0, 0.6));
    Coverage cover;
    for (const PointResult& r : sweep.Results()) {
        cover.interval += r.blocks.interval.dLow <= exact && exact <= r.blocks.interval.dHigh;
        cover.binomial += r.interval.dLow <= exact && exact <= r.interval.dHigh;
    }
    cover.interval /= kPoints;
    cover.binomial /= kPoints;
    return cover;
}

class IntervalCoverage : public testing::TestWithParam<Coded> {};

// A point of 4,000 bits is a single chunk of some forty runs with tens of errors: the
// interval still holds the exact rate in at least 93 % of points. (Points of 100,000 bits are
// measured by the sweep benchmark.)
TEST_P(IntervalCoverage, HoldsTheExactRateAtSmallPoints) {
    const Coverage cover = At6dB(GetParam(), 4000);
    RecordProperty("coverage", std::to_string(cover.interval));
    RecordProperty("binomial", std::to_string(cover.binomial));
    EXPECT_GE(cover.interval, 0.93) << "binomial " << cover.binomial;
}

INSTANTIATE_TEST_SUITE_P(EveryClusteringCode, IntervalCoverage, testing::ValuesIn(kCodes),
                         [](const auto& info) {
                             return std::string(test::IdName(info.param.format)) + "_" +
                                    std::string(test::IdName(info.param.code));
                         });

}  // namespace
}  // namespace linelab
