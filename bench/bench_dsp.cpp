// The transform, the design pass and the transmit half of a run, with the same transform by
// FFTW beside ours for scale.

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "common/RunState.h"
#include "common/Signal.h"
#include "common/Tables.h"
#include "dsp/DesignFilters.h"
#include "dsp/FFTButterflies.h"
#include "dsp/nrFFT.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// The input and the working copy of a transform benchmark. The gap keeps the two buffers
// from sitting a whole number of pages apart, where copying one into the other becomes
// many times slower on some processors and would swamp the transform being measured.
struct Buffers {
    alignas(64) Signal input{};
    std::array<char, 2048> gap{};
    alignas(64) Signal data{};

    Buffers() {
        std::mt19937_64 gen(7);
        std::uniform_real_distribution<double> dist(-1.0, 1.0);
        for (int i = 0; i < kSignalFloats; ++i)
            input[i] = dist(gen);
    }
    void Refill() { std::memcpy(data.data(), input.data(), sizeof(double) * kSignalFloats); }
};

// Each iteration transforms a fresh copy, so the values stay in range however long it runs;
// the copy is part of every transform benchmark here, FFTW's included, and BM_Copy2048
// shows what it costs on its own.
void BM_Copy2048(benchmark::State& state) {
    auto b = std::make_unique<Buffers>();
    for (auto _ : state) {
        b->Refill();
        benchmark::DoNotOptimize(b->data.data());
        benchmark::ClobberMemory();
    }
}

void RunOurs(benchmark::State& state, bool inverse, FFTVariant variant = FFTVariant::Auto) {
    auto b = std::make_unique<Buffers>();
    for (auto _ : state) {
        b->Refill();
        FFTWithVariant(variant, b->data, kPoints, inverse, false);
        benchmark::DoNotOptimize(b->data.data());
        benchmark::ClobberMemory();
    }
}

void BM_FFT2048_Forward(benchmark::State& state) {
    RunOurs(state, false);
}
void BM_FFT2048_Inverse(benchmark::State& state) {
    RunOurs(state, true);
}
// The build for processors without 256-bit vectors.
void BM_FFT2048_Forward_Plain(benchmark::State& state) {
    RunOurs(state, false, FFTVariant::Plain);
}

// In place on the same buffer, planned once with FFTW_MEASURE outside the loop (planning
// overwrites the buffer, the loop refills it). FFTW_BACKWARD has the positive exponent, the
// direction of our forward transform.
void BM_FFTW2048_InPlace(benchmark::State& state) {
    auto b = std::make_unique<Buffers>();
    auto* data = reinterpret_cast<fftw_complex*>(b->data.data());
    fftw_plan plan = fftw_plan_dft_1d(kPoints, data, data, FFTW_BACKWARD, FFTW_MEASURE);
    for (auto _ : state) {
        b->Refill();
        fftw_execute(plan);
        benchmark::DoNotOptimize(b->data.data());
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
}

FilterConfig DesignSettings(FilterType tx, FilterType rx) {
    FilterConfig f;
    f.side[0] = {.type = tx, .iPulseWidth = 8, .bandwidth = 1.5, .excessBandwidth = 35};
    f.side[1] = {.type = rx, .iPulseWidth = 16, .bandwidth = 1.5, .excessBandwidth = 35};
    f.lowPass = 2.0;
    f.highPass = 0.05;
    return f;
}

// The pulse-based types take one transform; the raised cosines a few hundred cosines.
void RunDesign(benchmark::State& state, FilterType tx, FilterType rx) {
    const FilterConfig settings = DesignSettings(tx, rx);
    auto out = std::make_unique<Responses>();
    for (auto _ : state) {
        DesignFilters(settings, 1.0, *out);
        benchmark::DoNotOptimize(out->dTotalResponse.data());
        benchmark::ClobberMemory();
    }
}

void BM_DesignFilters_SinglePoleMatched(benchmark::State& state) {
    RunDesign(state, FilterType::SinglePole, FilterType::Matched);
}
void BM_DesignFilters_RootRC(benchmark::State& state) {
    RunDesign(state, FilterType::RootRC, FilterType::RootRC);
}

// The transmit half of one run, from the data source to the received spectrum.
void BM_TransmitHalf(benchmark::State& state) {
    auto s = std::make_unique<RunState>();
    s->dBaudRate = 1.0;
    const FilterConfig settings = DesignSettings(FilterType::RootRC, FilterType::RootRC);
    DesignFilters(settings, s->dBaudRate, s->responses);
    for (auto _ : state) {
        GenerateData(DataSource::Random, s->rng, s->iData);
        PreCode(PreCoding::Scramble, *s);
        LineCode(LineCoding::None, false, *s);
        const double dScale = MapLevels(Format::PolarNrz, 16, s->iCodedData, s->iModData).dScale;
        BuildPulseTrain(*s, dScale);
        benchmark::DoNotOptimize(s->dRxTimeData.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_Copy2048);
BENCHMARK(BM_FFT2048_Forward);
BENCHMARK(BM_FFT2048_Inverse);
BENCHMARK(BM_FFT2048_Forward_Plain);
BENCHMARK(BM_FFTW2048_InPlace);
BENCHMARK(BM_DesignFilters_SinglePoleMatched);
BENCHMARK(BM_DesignFilters_RootRC);
BENCHMARK(BM_TransmitHalf);

}  // namespace
}  // namespace linelab
