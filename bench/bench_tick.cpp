// One whole tick headless through the engine: the transmit half, the receive half and the
// count, with an owner whose panels draw nothing. Reports runs per second.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "receiver/Noise.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// The start-up link: random data, no codes, unipolar, "SteepCutoff" 4 kHz on both sides.
void StartUp(RecordPorts& host, Engine& engine) {
    LinkConfig& s = host.config;
    s = LinkConfig{};
    s.data = DataSource::Random;
    s.preCode = {PreCoding::None, PreCoding::None};
    s.code = {LineCoding::None, LineCoding::None};
    s.format = {Format::UnipolarNrz, Format::UnipolarNrz};
    s.iPulseWidth = 16;
    host.filters = FilterConfig{};  // "SteepCutoff" at 4 kHz on both sides, the channel open

    engine.SetSymbolRate(SymbolRate(LineCoding::None, Format::UnipolarNrz));
    host.slider = engine.LoadDefaultThresholds(Format::UnipolarNrz);
    host.Tick();  // the design pass runs once, outside the measurement
}

void ReportRuns(benchmark::State& state) {
    state.counters["runs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// (a) Every panel off, no noise: one forward and one inverse transform per run.
void BM_TickQuiet(benchmark::State& state) {
    Engine engine;
    RecordPorts host(engine);
    StartUp(host, engine);
    for (auto _ : state)
        host.Tick();
    ReportRuns(state);
}
BENCHMARK(BM_TickQuiet);

// (b) Every panel checked and noise "0.4": five transforms and 2048 Gaussian pairs per run.
void BM_TickBusyNoisy(benchmark::State& state) {
    Engine engine;
    RecordPorts host(engine);
    LinkConfig& s = host.config;
    StartUp(host, engine);
    s.shown.Set(PanelId::Data, true);
    s.shown.Set(PanelId::PreData, true);
    s.shown.Set(PanelId::CodedData, true);
    s.shown.Set(PanelId::ModData, true);
    s.shown.Set(PanelId::TxEye, true);
    s.shown.Set(PanelId::ChannelEye, true);
    s.shown.Set(PanelId::RxEye, true);
    s.shown.Set(PanelId::TxSpectrum, true);
    s.shown.Set(PanelId::ChannelSpectrum, true);
    s.shown.Set(PanelId::RxSpectrum, true);
    s.shown.Set(PanelId::DemodData, true);
    s.shown.Set(PanelId::DecodedData, true);
    s.shown.Set(PanelId::PostData, true);
    s.shown.Set(PanelId::RxData, true);
    s.noiseLevel = 0.4;
    for (auto _ : state)
        host.Tick();
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
