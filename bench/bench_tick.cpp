// One whole tick headless through the engine: the transmit half, the receive half, with a
// host that draws nothing. Reports runs per second.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "receiver/Noise.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// A host whose panels draw nothing and whose settings are fixed. The spectrum panels still
// count their spectra, as the real routine does.
class NullHost : public Host {
  public:
    Settings settings;
    FilterTexts filterTexts;
    int slider = 51;

    void Report(std::string_view, bool) override {}
    void ReadFilterTexts(FilterTexts& out) override { out = filterTexts; }
    void WriteFilterText(FilterBox, int, std::string_view) override {}
    void ReadSettings(Settings& out) override { out = settings; }
    int ThresholdSlider() override { return slider; }
    void SetThresholdSlider(int value) override { slider = value; }
    void SetBerCaption(std::string_view caption) override { benchmark::DoNotOptimize(caption); }
    void DrawStrip(StripPanel, int16_t, int16_t, std::span<const int16_t> data,
                   std::span<const int16_t>, int32_t, int16_t, int16_t) override {
        benchmark::DoNotOptimize(data.data());
    }
    void DrawEye(EyePanel, const Signal& timeData, double, const Thresholds&, bool) override {
        benchmark::DoNotOptimize(timeData.data());
    }
    void DrawSpectrum(SpectrumPanel, const Signal& freqData, SpectrumAverage&, int32_t& count,
                      int32_t) override {
        benchmark::DoNotOptimize(freqData.data());
        ++count;
    }
};

void SetBoth(std::array<std::string, 2>& pair, const char* text) {
    pair[0] = pair[1] = text;
}

// The start-up link: random data, no codes, unipolar, "SteepCutoff" 4 kHz on both sides.
void StartUp(NullHost& host, Engine& engine) {
    Settings& s = host.settings;
    s.cmbData = std::string("Random Data");
    SetBoth(s.cmbPreCode, "None");
    SetBoth(s.cmbCode, "None");
    SetBoth(s.cmbMod, "Unipolar (N)RZ");
    SetBoth(s.cmbTxModPC, "100");
    s.cmbNoise = std::string("None");
    s.cmbMultipathDelay = std::string("0.0");
    s.cmbMultipathMag = std::string("0");
    for (SideFilterTexts& side : host.filterTexts.side)
        side = {"100", "SteepCutoff", "4", "50"};
    host.filterTexts.lowPass = std::string("None");
    host.filterTexts.highPass = std::string("None");

    RunState& state = engine.State();
    state.dBaudRate = SymbolRate("None", "Unipolar (N)RZ");
    const auto& t = DefaultThresholds(Format::UnipolarNrz);
    std::copy(t.begin(), t.end(), state.dThresholds.begin());
    engine.Tick(host);  // the design pass runs once, outside the measurement
}

void ReportRuns(benchmark::State& state) {
    state.counters["runs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// (a) Every panel off, no noise: one forward and one inverse transform per run.
void BM_TickQuiet(benchmark::State& state) {
    NullHost host;
    Engine engine;
    StartUp(host, engine);
    for (auto _ : state)
        engine.Tick(host);
    ReportRuns(state);
}
BENCHMARK(BM_TickQuiet);

// (b) Every panel checked and noise "0.4": five transforms and 2048 Gaussian pairs per run.
void BM_TickBusyNoisy(benchmark::State& state) {
    NullHost host;
    Engine engine;
    Settings& s = host.settings;
    StartUp(host, engine);
    s.chkData = s.chkPreData = s.chkCodedData = s.chkModData = true;
    s.chkTxEye = s.chkChannelEye = s.chkRxEye = true;
    s.chkTxSpectrum = s.chkChannelSpectrum = s.chkRxSpectrum = true;
    s.chkDemodData = s.chkDecodedData = s.chkPostData = s.chkRxData = true;
    s.cmbNoise = std::string("0.4");
    s.noiseVisible = true;
    for (auto _ : state)
        engine.Tick(host);
    ReportRuns(state);
}
BENCHMARK(BM_TickBusyNoisy);

// The Gaussian draws of one run's noise on their own, the largest part of (b) besides the
// transforms.
void BM_NoiseDraws(benchmark::State& state) {
    auto noise = std::make_unique<Signal>();
    Uniform rng;
    for (auto _ : state) {
        DrawGaussianPairs(*noise, 1.0, rng);
        benchmark::DoNotOptimize(noise->data());
    }
}
BENCHMARK(BM_NoiseDraws);

}  // namespace
}  // namespace linelab
