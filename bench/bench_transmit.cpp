#include <memory>

#include <benchmark/benchmark.h>

#include "common/Reporter.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// The four transmit stages of one run, data source to levels, for the heaviest choices:
// scrambling draws 256 more numbers, 4B5B + NRZI does the most per bit, HDB3 the most per
// symbol, and "4-PAM" makes every code write all 256 code bits.
void BM_TransmitStages(benchmark::State& bench) {
    auto state = std::make_unique<RunState>();
    const auto source = static_cast<DataSource>(bench.range(0));
    const auto format = static_cast<Format>(bench.range(1));
    const bool pam4 = format == Format::Pam4;
    for (auto _ : bench) {
        GenerateData(source, state->rng, state->iData);
        PreCode(PreCoding::Scramble, *state);
        LineCode(LineCoding::FourB5BNrzi, pam4, *state);
        benchmark::DoNotOptimize(
            MapLevels(format, PulseWidth(75), state->iCodedData, state->iModData).dScale);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransmitStages)
    ->Args({static_cast<int>(DataSource::Random), static_cast<int>(Format::Hdb3)})
    ->Args({static_cast<int>(DataSource::ExponentialRuns), static_cast<int>(Format::Hdb3)})
    ->Args({static_cast<int>(DataSource::Random), static_cast<int>(Format::Pam4)});

}  // namespace
}  // namespace linelab
