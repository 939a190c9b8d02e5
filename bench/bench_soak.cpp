// Soak: a long headless run of the form model with a noisy channel and an echo, as the batch
// tool drives it, with the resident memory of the process read before and after. Nothing is
// allocated per run, so the two must agree; a leak of even a few bytes per run would show
// as megabytes here.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/Form1.h"

namespace linelab {
namespace {

// The resident set of this process in kB (VmRSS), 0 where /proc is not there.
long ResidentKb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kb = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kb;
}

// Resident growth beyond this over a soak is reported as an error: the allocator may keep a
// page or two more, a leak per run gives far more.
constexpr long kAllowedGrowthKb = 4096;

// Scene "Full Channel" with noise, an echo and a low pass; the panels as the argument says
// (1: the scene's panels on, drawn on the model's own canvases that keep nothing; 0: all off,
// as a BER measurement runs).
void PrepareSoak(Form1& form, bool panels) {
    form.ApplyScene(6);
    form.SetText("cmbNoise", "0.4");
    form.SetText("cmbMultipathMag", "20");
    form.SetText("cmbMultipathDelay", "0.4");
    form.SetText("cmbLowPass", "2.0");
    form.SetText("cmbMod(0)", "Polar (N)RZ");
    if (!panels) {
        for (const CheckControl& check : form.Checks())
            form.SetValue(check.name, 0);
    }
    for (int run = 0; run < 1000; ++run)
        form.Timer1_Timer();  // past every first-use allocation
}

void BM_Soak(benchmark::State& state) {
    const auto runs = state.range(0);
    Form1 form;
    PrepareSoak(form, state.range(1) == 1);
    const long before = ResidentKb();
    for (auto _ : state) {
        for (int64_t run = 0; run < runs; ++run)
            form.Timer1_Timer();
    }
    const long after = ResidentKb();
    benchmark::DoNotOptimize(form.State().dBER);
    state.counters["runs/s"] = benchmark::Counter(static_cast<double>(runs * state.iterations()),
                                                  benchmark::Counter::kIsRate);
    state.counters["rss_start_kB"] = static_cast<double>(before);
    state.counters["rss_end_kB"] = static_cast<double>(after);
    state.counters["BER"] = form.State().dBER;
    if (after - before > kAllowedGrowthKb)
        state.SkipWithError(
            ("resident memory grew by " + std::to_string(after - before) + " kB").c_str());
}
BENCHMARK(BM_Soak)
    ->ArgNames({"runs", "panels"})
    ->Args({1000000, 0})  // the long case: about a minute and a half on one core
    ->Args({20000, 1})    // the same with every panel of the scene drawing
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace linelab
