// BER sweeps: one worker's runs per second with every panel off in the "Noise" scene, the
// parallel efficiency of two workers, the wall time of one point at a BER of 1e-6 with 100
// errors, how soon a cancelled sweep has stopped, and how often a point's 95 % interval holds
// the exact rate at 6 dB for the codes whose errors cluster.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

#include "analysis/ExactBer.h"
#include "analysis/SignalToNoise.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/Sweep.h"
#include "ui/Form1.h"
#include "ui/ListTexts.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

constexpr int kNoiseScene = 5;

// The "Noise" scene as it opens, its noise level 0.4 W/kHz.
SweepSettings NoiseScene() {
    Form1 form;
    form.ApplyScene(kNoiseScene);
    form.SetText("cmbNoise", "0.4");
    return SweepSnapshot(form);
}

// Polar NRZ with matched Root RC filters: the setting whose points follow the theory.
SweepSettings MatchedPolar() {
    Form1 form;
    form.SetText("cmbMod(0)", "Polar (N)RZ");
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    return SweepSnapshot(form);
}

// The Noise scene with matched Root RC filters: where the folded runner is measured.
SweepSettings NoiseSceneMatched() {
    Form1 form;
    form.ApplyScene(kNoiseScene);
    form.SetText("cmbNoise", "0.4");
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    return SweepSnapshot(form);
}

void ReportRuns(benchmark::State& state, uint64_t runs) {
    state.counters["runs/s"] =
        benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
}

// One worker: chunks of about 300 runs run back to back on this thread.
void BM_SweepWorker(benchmark::State& state) {
    const auto runner = MakeEngineRunner(NoiseScene());
    uint64_t runs = 0;
    uint64_t chunk = 0;
    for (auto _ : state) {
        const auto counts =
            runner->Run({0.4, ChunkSeed(1, 0, chunk++), 1 << 15}, [] { return false; });
        runs += counts->runs;
    }
    ReportRuns(state, runs);
}
BENCHMARK(BM_SweepWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole sweep of two points on 1 or 2 threads, bits fixed (no error target reached), real
// time: the efficiency on two idle cores is the runs/s of threads:2 over twice that of
// threads:1. Process CPU time (every thread) is counted too, so a loaded machine still shows
// what the second thread costs: efficiency is at most cpu_us/run(1) / cpu_us/run(2).
void SweepOnThreads(benchmark::State& state, const ChunkRunnerFactory& runners, uint64_t maxBits) {
    const int threads = static_cast<int>(state.range(0));
    uint64_t runs = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        Sweep sweep(runners, {{0, 0.4}, {1, 0.3}},
                    {.minErrors = UINT64_MAX, .maxBits = maxBits, .seed = 1, .threads = threads});
        sweep.Start();
        sweep.Wait();
        for (const PointResult& r : sweep.Results())
            runs += r.counts.runs;
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["cpu_us/run"] = runs > 0 ? 1e6 * cpuSeconds / static_cast<double>(runs) : 0;
    ReportRuns(state, runs);
}

void BM_SweepThreads(benchmark::State& state) {
    SweepOnThreads(state, EngineRunners(NoiseScene()), 1 << 19);
}
BENCHMARK(BM_SweepThreads)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One point at a BER of 1e-6 (10.53 dB for polar NRZ with the matched filters) with 100
// errors, on every core: about 1e8 compared bits.
void BM_SweepPointAt1e6(benchmark::State& state) {
    const SweepSettings settings = MatchedPolar();
    for (auto _ : state) {
        Sweep sweep(EngineRunners(settings), SweepPointsFor(settings, {10.53}),
                    {.minErrors = 100, .maxBits = 1000000000, .seed = 1});
        sweep.Start();
        sweep.Wait();
        const PointResult r = sweep.Results()[0];
        state.counters["errors"] = static_cast<double>(r.counts.errors);
        state.counters["bits"] = static_cast<double>(r.counts.bits);
        state.counters["ber"] = r.dBer;
    }
}
BENCHMARK(BM_SweepPointAt1e6)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The folded runner on one worker, as BM_SweepWorker measures the engine.
void BM_FoldedWorker(benchmark::State& state) {
    const auto runner = MakeSweepRunner(NoiseSceneMatched(), SweepRunner::Folded);
    uint64_t runs = 0, folded = 0;
    uint64_t chunk = 0;
    for (auto _ : state) {
        const auto counts =
            runner->Run({0.4, ChunkSeed(1, 0, chunk++), 1 << 15}, [] { return false; });
        runs += counts->runs;
        folded += counts->foldedRuns;
    }
    ReportRuns(state, runs);
    state.counters["folded"] = runs > 0 ? static_cast<double>(folded) / runs : 0;
}
BENCHMARK(BM_FoldedWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// The folded runner's sweep on 1 or 2 threads; efficiency as for BM_SweepThreads.
void BM_FoldedThreads(benchmark::State& state) {
    SweepOnThreads(state, SweepRunners(NoiseSceneMatched(), SweepRunner::Folded), 1 << 23);
}
BENCHMARK(BM_FoldedThreads)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One point at a BER of 1e-7 (11.31 dB, polar NRZ, matched filters) with 100 errors on two
// threads by the folded runner: about 1e9 bits. A point at 1e-8 needs ten times the bits,
// so ten times this wall time.
void BM_FoldedPointAt1e7(benchmark::State& state) {
    const SweepSettings settings = MatchedPolar();
    for (auto _ : state) {
        Sweep sweep(SweepRunners(settings, SweepRunner::Folded), SweepPointsFor(settings, {11.31}),
                    {.minErrors = 100, .maxBits = 100000000000, .seed = 1, .threads = 2});
        sweep.Start();
        sweep.Wait();
        const PointResult r = sweep.Results()[0];
        state.counters["errors"] = static_cast<double>(r.counts.errors);
        state.counters["bits"] = static_cast<double>(r.counts.bits);
        state.counters["ber"] = r.dBer;
    }
}
BENCHMARK(BM_FoldedPointAt1e7)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// From Cancel to every worker stopped, with both workers busy.
void BM_SweepCancel(benchmark::State& state) {
    const SweepSettings settings = NoiseScene();
    for (auto _ : state) {
        state.PauseTiming();
        Sweep sweep(EngineRunners(settings), {{0, 0.0001}},
                    {.minErrors = 100, .maxBits = UINT64_MAX, .seed = 1, .threads = 2});
        sweep.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state.ResumeTiming();
        sweep.Cancel();
        sweep.Wait();
    }
}
BENCHMARK(BM_SweepCancel)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// 400 points of `bits` compared bits each at 6 dB (Root RC / Matched, fixed N0, midway), by
// the folded runner on two threads: the share whose interval holds the exact rate ("covered",
// at least 0.93 wanted), beside the binomial interval's share, which ignores clustering.
// Points of 4,000 bits are checked by the tests; this row measures points of 100,000.
void BM_IntervalCoverage(benchmark::State& state) {
    static constexpr std::pair<const char*, const char*> kCodes[] = {
        {"Polar (N)RZ", "None"},
        {"Polar (N)RZI", "None"},
        {"MLT3", "None"},
        {"HDB3", "None"},
        {"Polar (N)RZ", "Diff. Manchester"},
        {"Polar (N)RZ", "4B5B"},
        {"Polar (N)RZ", "4B5B + NRZI"},
    };
    const auto& [format, code] = kCodes[state.range(0)];
    Form1 form;
    form.SetText("cmbMod(0)", format);
    form.SetText("cmbMod(1)", format);
    form.SetText("cmbCode(0)", code);
    form.SetText("cmbCode(1)", code);
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    SweepSettings settings = SweepSnapshot(form);
    UseTextbookReceiver(settings.config);
    constexpr int kPoints = 400;
    const uint64_t bits = static_cast<uint64_t>(state.range(1));
    const double exact =
        ExactBer({*FindFormat(format), *FindLineCode(code), PreCoding::None}, std::pow(10.0, 0.6));
    for (auto _ : state) {
        Sweep sweep(SweepRunners(settings, SweepRunner::Folded),
                    SweepPointsFor(settings, std::vector<double>(kPoints, 6.0)),
                    {.minErrors = UINT64_MAX, .maxBits = bits, .seed = 6, .threads = 2});
        sweep.Start();
        sweep.Wait();
        double covered = 0, binomial = 0;
        for (const PointResult& r : sweep.Results()) {
            covered += r.blocks.interval.dLow <= exact && exact <= r.blocks.interval.dHigh;
            binomial += r.interval.dLow <= exact && exact <= r.interval.dHigh;
        }
        state.counters["covered"] = covered / kPoints;
        state.counters["binomial"] = binomial / kPoints;
    }
    state.SetLabel(std::string(format) + " / " + code);
}
BENCHMARK(BM_IntervalCoverage)
    ->ArgNames({"code", "bits"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {100000}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The exact theory of one point (the curve window's and the CSV's "theory"): HDB3 was the
// slow one, plain and with differential pre-coding (0.86 s and 1.48 s before its states were
// merged a symbol at a time; 0.07 s and 0.13 s after).
void BM_ExactTheoryHdb3(benchmark::State& state) {
    const LinkSetup setup{Format::Hdb3, LineCoding::None,
                          state.range(0) != 0 ? PreCoding::Differential : PreCoding::None};
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactBer(setup, std::pow(10.0, 0.6)));
}
BENCHMARK(BM_ExactTheoryHdb3)
    ->ArgName("differential")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace linelab
