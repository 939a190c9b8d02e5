#include <gtest/gtest.h>

#include <cmath>

#include "analysis/IdealBer.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/Sweep.h"
#include "sweep/SweepSettings.h"
#include "tests/CaseName.h"
#include "tests/support/FilterRecords.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// A matched pair of Nyquist filters over a perfect channel: the one setting in which
// LineLab's receiver is the ideal one, so the theory must hold there.
SweepSettings Ideal(Format format, std::array<double, 4> thresholds,
                    LineCoding code = LineCoding::None) {
    SweepSettings s;
    LinkConfig& t = s.config;
    t.data = DataSource::Random;
    t.preCode = {PreCoding::None, PreCoding::None};
    t.code = {code, code};
    t.format = {format, format};
    s.filters = test::Filters(FilterType::RootRC, FilterType::Matched);
    std::copy(thresholds.begin(), thresholds.end(), s.dThresholds.begin());
    s.thresholdSlider = ThresholdSliderFor(thresholds[0]);  // as the window sets it
    return s;
}

std::vector<PointResult> Measure(const SweepSettings& s, std::vector<double> dB,
                                 uint64_t minErrors) {
    Sweep sweep(EngineRunners(s), SweepPointsFor(s, dB),
                {.minErrors = minErrors, .maxBits = 50000000, .seed = 2024, .threads = 2});
    sweep.Start();
    sweep.Wait();
    EXPECT_FALSE(sweep.Outcome().cancelled) << sweep.Outcome().error;
    return sweep.Results();
}

bool Covers(const PointResult& r, double theory, double confidence) {
    const BinomialInterval i = ClopperPearson(r.counts.errors, r.counts.bits, confidence);
    return i.dLow <= theory && theory <= i.dHigh;
}

// The calibration of Eb/N0: polar signalling with the ideal filters follows
// Q(sqrt(2 Eb/N0)) within the 99 % interval of at least 200 errors at each point.
TEST(EngineSweep, PolarFollowsTheoryAtEveryPoint) {
    const auto results =
        Measure(Ideal(Format::PolarNrz, {0, 0, 0, 0}), {0, 1, 2, 3, 4, 5, 6, 7, 8}, 200);
    for (const PointResult& r : results) {
        const double theory = GaussianTail(std::sqrt(2 * std::pow(10, r.point.dEbN0dB / 10)));
        EXPECT_TRUE(r.complete);
        EXPECT_GE(r.counts.errors, 200u);
        EXPECT_TRUE(Covers(r, theory, 0.99)) << r.point.dEbN0dB << " dB: " << r.counts.errors
                                             << " in " << r.counts.bits << ", theory " << theory;
    }
}

// Each mapping against its ideal formula at 6 dB, thresholds midway between the levels the
// ideal filters deliver (A times the level). The three-level and 4-PAM formulas keep only
// their leading term, so they get a tenth of slack beyond the 99 % interval; HDB3's formula
// leaves out how its decoder spreads errors, so it is held to a factor of two.
TEST(EngineSweep, EveryMappingFollowsItsIdealFormula) {
    const double r2 = std::sqrt(2.0);
    const double h = 1.328 / 2;  // HDB3's marks have the amplitude 1.328
    struct Case {
        Format format;
        std::array<double, 4> thresholds;
        double slack;
        LineCoding code = LineCoding::None;
    };
    const Case cases[] = {
        {Format::UnipolarNrz, {r2 / 2, r2 / 2, r2 / 2, r2 / 2}, 1.0},
        {Format::UnipolarNrzi, {r2 / 2, r2 / 2, r2 / 2, r2 / 2}, 1.0},
        {Format::PolarNrzi, {0, 0, 0, 0}, 1.0},
        {Format::Ami, {r2 / 2, -r2 / 2, r2 / 2, r2 / 2}, 1.1},
        {Format::Mlt3, {r2 / 2, -r2 / 2, r2 / 2, r2 / 2}, 1.1},
        {Format::Hdb3, {h, -h, h, h}, 2.0},
        {Format::Pam4, {1.2, 0, -1.2, 1.2}, 1.1},
        {Format::PolarNrz, {0, 0, 0, 0}, 1.0, LineCoding::Manchester},
    };
    for (const Case& c : cases) {
        const PointResult r = Measure(Ideal(c.format, c.thresholds, c.code), {6}, 300)[0];
        const BinomialInterval i = ClopperPearson(r.counts.errors, r.counts.bits, 0.99);
        const double theory = IdealBerAtDb(c.format, c.code, PreCoding::None, 6);
        EXPECT_LE(i.dLow / c.slack, theory) << test::IdName(c.format) << ": measured " << r.dBer;
        EXPECT_GE(i.dHigh * c.slack, theory) << test::IdName(c.format) << ": measured " << r.dBer;
    }
}

// A link that meets a fault cannot run: the sweep stops at once and names the fault, rather
// than counting runs that sent nothing.
TEST(EngineSweep, AFaultStopsTheSweepAndIsNamed) {
    SweepSettings s = Ideal(Format::PolarNrz, {0, 0, 0, 0});
    s.config.format[1].reset();
    Sweep sweep(EngineRunners(s), SweepPointsFor(s, {4}),
                {.minErrors = 10, .maxBits = 100000, .seed = 1, .threads = 1});
    sweep.Start();
    sweep.Wait();
    EXPECT_EQ(sweep.Outcome().error, FaultName(Fault::UnknownDemodulation));
    EXPECT_EQ(sweep.Results()[0].counts.bits, 0u);
}

}  // namespace
}  // namespace linelab
