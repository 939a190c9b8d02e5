#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/TextNumber.h"
#include "engine/Engine.h"
#include "folded/FoldedRunner.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/SweepSettings.h"
#include "tests/CaseName.h"
#include "tests/support/FilterRecords.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

struct Case {
    const char* name;
    Format format;
    LineCoding code;
    PreCoding preCode;
    std::array<double, 4> thresholds;
    FilterType txFilter = FilterType::RootRC, rxFilter = FilterType::Matched;
    std::optional<double> lowPass = std::nullopt;
    int sample = 0;
    std::string echoMag = "0", echoDelay = "0.0";
    bool invert = false;
    double ebN0dB = 4;
};

constexpr double kR2 = 0.70710678118654752;

SweepSettings Make(const Case& c) {
    SweepSettings s;
    LinkConfig& t = s.config;
    t.data = DataSource::Random;
    t.preCode = {c.preCode, c.preCode};
    t.code = {c.code, c.code};
    t.format = {c.format, c.format};
    t.echo = {EchoGain(Val(c.echoMag)), EchoDelay(Val(c.echoDelay))};
    t.samplingOffset = c.sample;
    t.invert = c.invert;
    s.filters = test::Filters(c.txFilter, c.rxFilter);
    s.filters.side[0].bandwidth = s.filters.side[1].bandwidth = 1;
    s.filters.lowPass = c.lowPass;
    std::copy(c.thresholds.begin(), c.thresholds.end(), s.dThresholds.begin());
    s.thresholdSlider = ThresholdSliderFor(c.thresholds[0]);  // as the window sets it
    return s;
}

double Mean(const std::vector<double>& x) {
    return std::accumulate(x.begin(), x.end(), 0.0) / static_cast<double>(x.size());
}
double Variance(const std::vector<double>& x) {
    const double m = Mean(x);
    double v = 0;
    for (double a : x)
        v += (a - m) * (a - m);
    return v / static_cast<double>(x.size() - 1);
}

// Two-sample Kolmogorov-Smirnov distance.
double KsDistance(std::vector<double> a, std::vector<double> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    std::size_t i = 0, j = 0;
    double d = 0;
    while (i < a.size() && j < b.size()) {
        const double x = std::min(a[i], b[j]);
        while (i < a.size() && a[i] <= x)
            ++i;
        while (j < b.size() && b[j] <= x)
            ++j;
        d = std::max(
            d, std::fabs(static_cast<double>(i) / a.size() - static_cast<double>(j) / b.size()));
    }
    return d;
}

// Eight settings and more, each run on both runners: the per-run error counts agree within
// their joint 99 % interval, the decision samples' variance within 1 % and their
// distribution by a two-sample Kolmogorov-Smirnov test at 1 %. Seeds are fixed, so the
// outcome is the same on every machine.
TEST(FoldedRunner, MatchesTheEngineInDistribution) {
    const std::array<double, 4> two{0, 0, 0, 0}, three{kR2, -kR2, kR2, kR2},
        four{2.8 / std::sqrt(5.0), 0, -2.8 / std::sqrt(5.0), 2.8 / std::sqrt(5.0)},
        uni{kR2, kR2, kR2, kR2};
    const Case cases[] = {
        {"polar", Format::PolarNrz, LineCoding::None, PreCoding::None, two},
        {"AMI", Format::Ami, LineCoding::None, PreCoding::None, three},
        {"4-PAM",
         Format::Pam4,
         LineCoding::None,
         PreCoding::None,
         four,
         FilterType::RootRC,
         FilterType::Matched,
         {},
         0,
         "0",
         "0.0",
         false,
         8},
        {"Manchester", Format::PolarNrz, LineCoding::Manchester, PreCoding::None, two},
        {"4B5B + NRZI",
         Format::UnipolarNrz,
         LineCoding::FourB5BNrzi,
         PreCoding::None,
         uni,
         FilterType::RootRC,
         FilterType::Matched,
         {},
         0,
         "0",
         "0.0",
         false,
         8},
        {"band-limited, echo", Format::PolarNrz, LineCoding::None, PreCoding::None, two,
         FilterType::SinglePole, FilterType::SinglePole, 0.8, 0, "30", "0.4", false, 6},
        {"half-sample offset",
         Format::PolarNrz,
         LineCoding::None,
         PreCoding::Scramble,
         two,
         FilterType::RC,
         FilterType::None,
         {},
         5},
        {"inverted, differential",
         Format::PolarNrz,
         LineCoding::None,
         PreCoding::Differential,
         two,
         FilterType::RootRC,
         FilterType::Matched,
         {},
         0,
         "0",
         "0.0",
         true},
        {"offset past the ends",
         Format::PolarNrz,
         LineCoding::Differential,
         PreCoding::None,
         two,
         FilterType::RootRC,
         FilterType::Matched,
         {},
         -31,
         "20",
         "7.6"},
    };
    constexpr int kRuns = 1500;
    for (const Case& c : cases) {
        const SweepSettings s = Make(c);
        const double level = SweepPointsFor(s, {c.ebN0dB})[0].dNoiseLevel;
        const DecisionRecord e = RecordDecisions(s, SweepRunner::Engine, level, 11, kRuns);
        const DecisionRecord f = RecordDecisions(s, SweepRunner::Folded, level, 12, kRuns);
        std::vector<double> ee(e.errors.begin(), e.errors.end()),
            fe(f.errors.begin(), f.errors.end());
        const double z = (Mean(ee) - Mean(fe)) / std::sqrt((Variance(ee) + Variance(fe)) / kRuns);
        EXPECT_LT(std::fabs(z), 2.576) << c.name << ": " << Mean(ee) << " against " << Mean(fe);
        const double ve = Variance(e.samples), vf = Variance(f.samples);
        EXPECT_NEAR(vf / ve, 1.0, 0.01) << c.name;
        EXPECT_LT(KsDistance(e.samples, f.samples), 1.63 * std::sqrt(2.0 / e.samples.size()))
            << c.name;
    }
}

// Flat responses leave each decision sample the slot's impulse, 16 x level x scale, plus
// noise whose variance is sigma^2 for the run's energy by Parseval, (16 x scale)^2 for polar
// levels, or for the fixed reference energy when one is given.
TEST(FoldedRunner, NoiseFollowsTheRunsEnergyOrAFixedReference) {
    Responses flat;
    for (Signal* r : {&flat.dTxResponse, &flat.dRxResponse, &flat.dTotalResponse})
        for (int k = 0; k < kPoints; ++k)
            (*r)[static_cast<std::size_t>(2 * k)] = 1.0;
    const LinkConfig settings =
        Make({"flat", Format::PolarNrz, LineCoding::None, PreCoding::None, {0, 0, 0, 0}}).config;
    FoldedRunner runner(settings, flat, 1.0, {});
    EXPECT_EQ(runner.Grids(), 1);
    for (const double reference : {0.0, 37.0}) {
        runner.Reset(5);
        double sum = 0, energy = 0;
        constexpr int kRuns = 400;
        for (int r = 0; r < kRuns; ++r) {
            runner.Run(0.01, reference);
            const RunState& s = runner.State();
            energy = runner.EnergyPerSlot();
            for (int k = 0; k < kSymbols; ++k) {
                const double e = runner.Samples()[static_cast<std::size_t>(k)] -
                                 16.0 * s.dScale * s.iModData[static_cast<std::size_t>(k)];
                sum += e * e;
            }
            ASSERT_NEAR(energy, 256.0 * s.dScale * s.dScale, 1e-9 * energy);
        }
        const double sigma = NoiseSigma(0.01, reference > 0 ? reference : energy, 1.0);
        EXPECT_NEAR(sum / (kRuns * kSymbols) / (sigma * sigma), 1.0, 0.03) << reference;
    }
}

// From the same seed the first run sends the same thing on both runners, bit for bit (they
// share the transmit half), and the folded runner's energy by Parseval is the engine's
// measured on the transmitted waveform: for the settings that draw more numbers (scrambling,
// exponential runs), build four-level runs and narrow the pulses.
TEST(FoldedRunner, FirstRunSendsWhatTheEngineSends) {
    struct Sent {
        DataSource data;
        PreCoding pre;
        LineCoding code;
        Format format;
        int16_t width;
    };
    const Sent table[] = {
        {DataSource::Random, PreCoding::None, LineCoding::None, Format::PolarNrz, 16},
        {DataSource::Random, PreCoding::Scramble, LineCoding::FourB5BNrzi, Format::Hdb3, 8},
        {DataSource::ExponentialRuns, PreCoding::Differential, LineCoding::Manchester, Format::Pam4,
         12},
        {DataSource::Prbs7, PreCoding::Scramble, LineCoding::None, Format::Mlt3, 5},
    };
    for (const Sent& row : table) {
        SCOPED_TRACE(test::IdName(row.format));
        SweepSettings s =
            Make({"", Format::PolarNrz, LineCoding::None, PreCoding::None, {0, 0, 0, 0}});
        s.config.data = row.data;
        s.config.preCode = {row.pre, row.pre};
        s.config.code = {row.code, row.code};
        s.config.format = {row.format, row.format};
        s.config.iPulseWidth = s.filters.side[0].iPulseWidth = row.width;
        s.config.noiseLevel = 0.01;  // the engine then forms the transmitted waveform
        const double baud = SymbolRate(row.code, row.format);
        Engine engine;
        engine.SetSymbolRate(baud);
        engine.SeedGenerator(9);
        engine.Tick({s.config, s.filters, s.thresholdSlider});
        const RunState& e = engine.State();
        FoldedRunner runner(s.config, e.responses, baud, e.dThresholds);
        runner.Reset(9);
        runner.Run(0);
        const RunState& f = runner.State();
        EXPECT_EQ(f.iData, e.iData);
        EXPECT_EQ(f.iPreData, e.iPreData);
        EXPECT_EQ(f.iCodedData, e.iCodedData);
        EXPECT_EQ(f.iModData, e.iModData);
        EXPECT_EQ(f.iTxDutyCycle, e.iTxDutyCycle);
        EXPECT_EQ(f.dScale, e.dScale);
        const double energy = EnergyPerSlot(e.dTxWaveform);
        EXPECT_NEAR(runner.EnergyPerSlot(), energy, 1e-9 * energy);
    }
}

}  // namespace
}  // namespace linelab
