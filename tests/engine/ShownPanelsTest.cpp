// No check box changes what a tick computes: with any combination of panels shown, quiet or
// noisy (the noise following each run's energy or a fixed density), runs give the same
// arrays, decisions, thresholds and error rate as with every panel off. What only pictures
// read (the transmit and channel stages) is formed by the views after the tick, and each
// fed eye's waveform is the transmit or channel stage of that very run.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "engine/RecordPorts.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

// Every array the tick computes, and the run's count.
void ExpectSameRun(const RunState& a, const RunState& b, int run) {
    EXPECT_EQ(a.iData, b.iData) << run;
    EXPECT_EQ(a.iPreData, b.iPreData) << run;
    EXPECT_EQ(a.iScrambleSeq, b.iScrambleSeq) << run;
    EXPECT_EQ(a.iCodedData, b.iCodedData) << run;
    EXPECT_EQ(a.iModData, b.iModData) << run;
    EXPECT_EQ(a.dTxImpulses, b.dTxImpulses) << run;
    EXPECT_EQ(a.dRxSpectrum, b.dRxSpectrum) << run;
    EXPECT_EQ(a.dTxSpectrum, b.dTxSpectrum) << run;
    EXPECT_EQ(a.dTxWaveform, b.dTxWaveform) << run;
    EXPECT_EQ(a.dNoise, b.dNoise) << run;
    EXPECT_EQ(a.dRxNoiseSpectrum, b.dRxNoiseSpectrum) << run;
    EXPECT_EQ(a.dRxTimeData, b.dRxTimeData) << run;
    EXPECT_EQ(a.dThresholds, b.dThresholds) << run;
    EXPECT_EQ(a.iDemodData, b.iDemodData) << run;
    EXPECT_EQ(a.iDecodedData, b.iDecodedData) << run;
    EXPECT_EQ(a.iPostData, b.iPostData) << run;
    EXPECT_EQ(a.iRxData, b.iRxData) << run;
    EXPECT_EQ(a.lBERRuns, b.lBERRuns) << run;
    EXPECT_EQ(a.dBER, b.dBER) << run;
}

// The waveform a stage's eye must show: the run's impulse spectrum through `responses`,
// transformed back.
Signal StageWaveform(const RunState& s, std::initializer_list<const Signal*> responses) {
    Signal spectrum = s.dTxImpulses;
    for (const Signal* h : responses) {
        Signal next{};
        ComplexProduct(*h, spectrum, next);
        spectrum = next;
    }
    FFT(spectrum, kPoints, true, false);
    return spectrum;
}

struct Setting {
    const char* name;
    double noise;
    NoiseScaling scaling;
    friend void PrintTo(const Setting& s, std::ostream* os) { *os << s.name; }
};

struct Boxes {
    std::string name;
    std::vector<PanelId> panels;
    friend void PrintTo(const Boxes& b, std::ostream* os) { *os << b.name; }
};

// A noisy, echoing, band-limited link at a three-level format, slider off its default.
struct ShownLink {
    ShownLink(const Setting& setting, const std::vector<PanelId>& panels) : owner(engine) {
        owner.config = StartupConfig();
        owner.config.format = Both<Format>(Format::Ami);
        owner.config.code = Both<LineCoding>(LineCoding::Manchester);
        owner.config.noiseLevel = setting.noise;
        owner.config.noiseScaling = setting.scaling;
        owner.config.echo = {0.3, 9};
        owner.config.samplingOffset = 3;
        for (PanelId p : panels)
            owner.config.shown.Set(p, true);
        owner.filters.lowPass = 1.5;
        engine.SetSymbolRate(SymbolRate(LineCoding::Manchester, Format::Ami));
        engine.LoadDefaultThresholds(Format::Ami);
        owner.slider = 30;
        engine.ApplyThresholdSlider(owner.slider, owner);
    }
    Engine engine;
    RecordPorts owner;
};

class AnyBoxes : public ::testing::TestWithParam<std::tuple<Setting, Boxes>> {};

TEST_P(AnyBoxes, ChangeNothingTheTickComputes) {
    const auto& [setting, boxes] = GetParam();
    ShownLink plain(setting, {});
    ShownLink shown(setting, boxes.panels);
    const ShownPanels& fed = shown.owner.config.shown;
    for (int run = 0; run < 12; ++run) {
        const Frame& a = plain.owner.Tick();
        const Frame& b = shown.owner.Tick();
        ExpectSameRun(a.Run(), b.Run(), run);
        EXPECT_EQ(a.runErrors, b.runErrors) << run;
        const StageProducts& stages = shown.owner.views.stages;
        const Responses& h = b.Run().responses;
        if (fed[PanelId::TxEye]) {
            EXPECT_EQ(stages.TxTimeData(), StageWaveform(b.Run(), {&h.dTxResponse})) << run;
        }
        if (fed[PanelId::ChannelEye]) {
            EXPECT_EQ(stages.ChannelTimeData(),
                      StageWaveform(b.Run(), {&h.dTxResponse, &h.dChannelResponse}))
                << run;
        }
    }
    EXPECT_EQ(plain.owner.messageCount, 0);
    EXPECT_EQ(plain.owner.views.stages.TxFilterSpectrum(), Signal{});
}

const Setting kSettings[] = {{"Quiet", 0, NoiseScaling::PerRun},
                             {"Noisy", 0.3, NoiseScaling::PerRun},
                             {"FixedDensity", 0.3, NoiseScaling::Fixed}};

// Every box alone, then the combinations the scenes and the window's users make.
std::vector<Boxes> BoxTable() {
#define LINELAB_PANEL_BOX(id, ...) Boxes{#id, {PanelId::id}},
    std::vector<Boxes> table{LINELAB_PANELS(LINELAB_PANEL_BOX)};
#undef LINELAB_PANEL_BOX
    using enum PanelId;
    table.push_back({"TxEyeAndSpectrum", {TxEye, TxSpectrum}});
    table.push_back({"Eyes", {TxEye, ChannelEye, RxEye}});
    table.push_back({"Spectra", {TxSpectrum, ChannelSpectrum, RxSpectrum}});
    table.push_back({"ChannelEyeAndTxSpectrum", {ChannelEye, TxSpectrum}});
    std::vector<PanelId> all;
    for (std::size_t p = 0; p < kPanelCount; ++p)
        all.push_back(static_cast<PanelId>(p));
    table.push_back({"All", all});
    return table;
}

INSTANTIATE_TEST_SUITE_P(Links, AnyBoxes,
                         ::testing::Combine(::testing::ValuesIn(kSettings),
                                            ::testing::ValuesIn(BoxTable())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace linelab::test
