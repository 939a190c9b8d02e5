// The statistical eye: a full grid (every instant of the slider by 256 thresholds) from a
// configuration's responses, for the start-up setting and for the heaviest settings the
// window allows; the levels' window statistics once, before any cache; and a 30-point
// statistical BER curve of the chain as set.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "analysis/Bathtub.h"
#include "analysis/StatisticalEye.h"
#include "sweep/EngineChunkRunner.h"
#include "ui/Form1.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

using Texts = std::vector<std::pair<const char*, const char*>>;

// The window's settings after these changes, as a sweep would take them, and the design
// pass's setup.
StatEyeSetup SetupOf(const Texts& texts) {
    Form1 form;
    for (const auto& [name, text] : texts)
        form.SetText(name, text);
    const SweepSettings settings = SweepSnapshot(form);
    return StatEyeSetupFor(settings, settings.config.noiseLevel);
}

// The start-up window; then the settings that make the most work: three levels with the
// most patterns (HDB3) in 4B5B groups (five phases), four levels in 4B5B groups, each with
// an echo (more slot groups) through the full channel with noise.
const std::vector<std::pair<std::string, Texts>>& Settings() {
    static const std::vector<std::pair<std::string, Texts>> settings = {
        {"start-up", {}},
        {"HDB3 4B5B echo",
         {{"cmbScene", "Full Channel"},
          {"cmbCode(0)", "4B5B"},
          {"cmbMod(0)", "HDB3"},
          {"cmbNoise", "0.01"},
          {"cmbMultipathMag", "40"}}},
        {"4-PAM 4B5B echo",
         {{"cmbScene", "Full Channel"},
          {"cmbCode(0)", "4B5B + NRZI"},
          {"cmbMod(0)", "4-PAM"},
          {"cmbNoise", "0.01"},
          {"cmbMultipathMag", "40"}}},
        {"MLT3 Manchester echo",
         {{"cmbScene", "Full Channel"},
          {"cmbCode(0)", "Manchester"},
          {"cmbMod(0)", "MLT3"},
          {"cmbNoise", "0.01"},
          {"cmbMultipathMag", "40"}}},
    };
    return settings;
}

// Statistics and the 65 x 256 grid from the responses (the window has them already).
void BM_StatisticalEye(benchmark::State& state) {
    const auto& [name, texts] = Settings()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(name);
    const StatEyeSetup setup = SetupOf(texts);
    for (auto _ : state) {
        const auto stats = ComputeLinkStatistics(setup);
        if (!stats) {
            state.SkipWithError("no statistics");
            return;
        }
        const StatisticalEye eye = ComputeStatisticalEye(*stats, stats->noiseSigma, 256);
        benchmark::DoNotOptimize(eye.rate.data());
    }
}
BENCHMARK(BM_StatisticalEye)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The grid alone, from statistics already formed (a change of noise or of the range).
void BM_StatisticalEyeGrid(benchmark::State& state) {
    const auto& [name, texts] = Settings()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(name);
    const auto stats = ComputeLinkStatistics(SetupOf(texts));
    for (auto _ : state) {
        const StatisticalEye eye = ComputeStatisticalEye(*stats, stats->noiseSigma, 256);
        benchmark::DoNotOptimize(eye.rate.data());
    }
}
BENCHMARK(BM_StatisticalEyeGrid)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The levels' joint statistics of one window, as the first statistics of a code form them
// (afterwards they are kept): HDB3 over 11 slots, the most patterns of any code.
void BM_LevelPatterns(benchmark::State& state) {
    for (auto _ : state) {
        const auto patterns =
            LevelPatterns({Format::Hdb3, LineCoding::FourB5B, PreCoding::None}, 55, 11);
        benchmark::DoNotOptimize(patterns.data());
    }
}
BENCHMARK(BM_LevelPatterns)->Unit(benchmark::kMillisecond);

// Statistics and a 30-point curve, 0 to 14.5 dB, for the chain as set.
void BM_StatisticalBerCurve(benchmark::State& state) {
    const auto& [name, texts] = Settings()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(name);
    const StatEyeSetup setup = SetupOf(texts);
    std::vector<double> dB;
    for (int i = 0; i < 30; ++i)
        dB.push_back(0.5 * i);
    for (auto _ : state) {
        const auto stats = ComputeLinkStatistics(setup);
        const auto curve = StatisticalBerCurve(*stats, dB);
        benchmark::DoNotOptimize(curve.data());
    }
}
BENCHMARK(BM_StatisticalBerCurve)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace linelab
