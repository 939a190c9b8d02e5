#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/IdealBer.h"
#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "receiver/Noise.h"
#include "receiver/Receiver.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/Sweep.h"
#include "sweep/SweepSettings.h"
#include "tests/CaseName.h"
#include "tests/dsp/RecordingReporter.h"
#include "tests/support/FilterRecords.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// Root RC / Matched over a perfect channel, random data, the textbook's receiver.
SweepSettings Ideal(Format format) {
    SweepSettings s;
    LinkConfig& t = s.config;
    t.data = DataSource::Random;
    t.preCode = {PreCoding::None, PreCoding::None};
    t.code = {LineCoding::None, LineCoding::None};
    t.format = {format, format};
    s.filters = test::Filters(FilterType::RootRC, FilterType::Matched);
    const auto& defaults = DefaultThresholds(*t.format[1]);
    std::copy(defaults.begin(), defaults.end(), s.dThresholds.begin());
    s.thresholdSlider = ThresholdSliderFor(defaults[0]);
    UseTextbookReceiver(s.config);
    return s;
}

// An engine ticking these settings at a noise level.
struct Link {
    explicit Link(const SweepSettings& s, double level) : owner(engine) {
        auto start = std::make_unique<RunState>();
        start->dBaudRate = SymbolRate(s.config.code[0], s.config.format[0]);
        start->dThresholds = s.dThresholds;
        engine = Engine(std::move(start));
        owner.config = ChunkConfig(s.config, level);
        owner.filters = s.filters;
        owner.slider = s.thresholdSlider;
    }
    Engine engine;
    RecordPorts owner;
};

// With Nyquist filters each level arrives as itself times dScale (16 impulses of weight
// level x dScale through a unit-gain pair), so midway is the levels' midpoints at that scale:
// 4-PAM's upper threshold at 2 x 0.6 = 1.2, unipolar's at half its level.
TEST(TextbookReceiver, MidwayThresholdsAreTheLevelsMidpointsOnAnIdealLink) {
    struct Case {
        Format format;
        std::array<double, 4> levelUnits;  // T0..T3 in level numbers
    };
    const Case cases[] = {{Format::UnipolarNrz, {0.5, 0.5, 0.5, 0.5}},
                          {Format::PolarNrz, {0, 0, 0, 0}},
                          {Format::Ami, {0.5, -0.5, 0.5, 0.5}},
                          {Format::Mlt3, {0.5, -0.5, 0.5, 0.5}},
                          {Format::Pam4, {2, 0, -2, 2}}};
    for (const Case& c : cases) {
        Link link(Ideal(c.format), 0);
        link.owner.Tick();
        const LinkConfig& used = link.engine.Config();
        ASSERT_TRUE(used.midway) << test::IdName(c.format);
        const double scale = link.engine.State().dScale;
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR((*used.midway)[i], c.levelUnits[i] * scale, 1e-3 * scale)
                << test::IdName(c.format) << " T" << i;
        EXPECT_EQ(link.owner.Tick().dThresholds[0], (*used.midway)[0]) << test::IdName(c.format);
    }
}

// A fixed density reads nothing of the run: two runs whose transmitted spectra differ draw
// the same noise from the same generator state, and neither forms its transmit waveform.
TEST(TextbookReceiver, FixedNoiseDoesNotFollowTheRunsData) {
    LinkConfig c;
    c.noiseLevel = 0.4;
    c.noiseScaling = NoiseScaling::Fixed;
    c.noiseReference = 0.7;
    auto a = std::make_unique<RunState>();
    auto b = std::make_unique<RunState>();
    for (RunState* s : {a.get(), b.get()}) {
        s->dBaudRate = 1;
        s->responses.dTxResponse.fill(1);
        s->responses.dRxResponse.fill(1);
    }
    a->dTxImpulses.fill(0.1);
    b->dTxImpulses.fill(2.0);
    RecordingReporter messages;
    FormReceivedWaveform(*a, c, messages);
    FormReceivedWaveform(*b, c, messages);
    EXPECT_EQ(a->dNoise, b->dNoise);
    EXPECT_GT(std::abs(a->dNoise[5]), 0.0);
    EXPECT_EQ(a->dTxWaveform, Signal{});
    EXPECT_TRUE(messages.messages.empty());
}

// The reference is the per-run energy's mean: 400 per-run ticks of unipolar (whose energy
// varies most with the data) average within 2 % of it (their spread is about 0.5 %).
TEST(TextbookReceiver, ReferenceEnergyIsThePerRunMean) {
    SweepSettings s = Ideal(Format::UnipolarNrz);
    Link link(s, 0.1);
    link.owner.Tick();
    const double reference = link.engine.Config().noiseReference;
    s.config.noiseScaling = NoiseScaling::PerRun;
    Link perRun(s, 0.1);
    double sum = 0;
    constexpr int kRuns = 400;
    for (int r = 0; r < kRuns; ++r) {
        perRun.owner.Tick();
        sum += EnergyPerSlot(perRun.engine.State().dTxWaveform);
    }
    EXPECT_NEAR(sum / kRuns / reference, 1.0, 0.02);
}

// Fixed density and midway thresholds on the ideal link meet the theory within the 99 %
// interval of at least 1000 errors, where per-run scaling lay 20 to 50 % above it.
TEST(TextbookReceiver, MatchesTheoryAtTenAndTwelveDecibels) {
    for (const Format format : {Format::UnipolarNrz, Format::Ami, Format::Pam4}) {
        const SweepSettings s = Ideal(format);
        Sweep sweep(SweepRunners(s, SweepRunner::Folded), SweepPointsFor(s, {10, 12}),
                    {.minErrors = 1000, .maxBits = 400000000, .seed = 7, .threads = 2});
        sweep.Start();
        sweep.Wait();
        for (const PointResult& r : sweep.Results()) {
            const double theory = TheoryFor(s, r.point.dEbN0dB);
            const BinomialInterval i = ClopperPearson(r.counts.errors, r.counts.bits, 0.99);
            EXPECT_GE(r.counts.errors, 1000u) << test::IdName(format);
            EXPECT_TRUE(i.dLow <= theory && theory <= i.dHigh)
                << test::IdName(format) << " at " << r.point.dEbN0dB << " dB: " << r.dBer / theory;
        }
    }
}

}  // namespace
}  // namespace linelab
