// The drawing of one whole frame: eight strips, three eyes and three spectra, onto canvases
// of the window's usual sizes that draw nothing, so what is measured is our own geometry,
// clipping and the spectrum averaging that goes with each spectrum drawn.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <utility>

#include "display/Canvas.h"
#include "display/Plots.h"
#include "display/SpectrumAverage.h"
#include "display/StripRedraw.h"

namespace linelab {
namespace {

constexpr int kStripW = 500 * kUnitsPerPixel;
constexpr int kStripH = 40 * kUnitsPerPixel;
constexpr int kPanelW = 250 * kUnitsPerPixel;
constexpr int kPanelH = 180 * kUnitsPerPixel;

struct Frame {
    RunState run;
    std::array<NullCanvas, 8> strips;
    std::array<NullCanvas, 3> eyes;
    std::array<NullCanvas, 3> spectra;
    std::array<SpectrumAverage, 3> averages{};
    std::array<int32_t, 3> counts{};
    SpectrumAverage memory{};
    bool memoryStored = false;
    Signal spectrum{};
    StripRecord record;

    Frame() {
        strips.fill(NullCanvas(kStripW, kStripH));
        eyes.fill(NullCanvas(kPanelW, kPanelH));
        spectra.fill(NullCanvas(kPanelW, kPanelH));
        std::mt19937 gen(11);
        std::bernoulli_distribution bit(0.5);
        for (auto* bits : {&run.iData, &run.iPreData, &run.iCodedData, &run.iDecodedData,
                           &run.iPostData, &run.iRxData}) {
            for (auto& b : *bits)
                b = bit(gen);
        }
        for (auto& l : run.iModData)
            l = bit(gen) ? 1 : -1;
        run.iDemodData = run.iModData;
        run.iRxData[40] = 1 - run.iRxData[40];  // one error to draw in red
        run.iCodeBaud = 12;
        run.iTxDutyCycle = 16;
        run.dBaudRate = 1.0;
        run.dThresholds = {0.0, 0.0, 0.0, 0.0, 0.0};
        // The strips as a run records them: bits against what was sent, levels -1..1.
        const std::array<std::pair<const Bits*, const Bits*>, 6> bitStrips{
            {{&run.iData, &run.iData},
             {&run.iPreData, &run.iPreData},
             {&run.iCodedData, &run.iCodedData},
             {&run.iDecodedData, &run.iCodedData},
             {&run.iPostData, &run.iPreData},
             {&run.iRxData, &run.iData}}};
        const std::array<StripPanel, 6> bitPanels{StripPanel::Data,      StripPanel::PreData,
                                                  StripPanel::CodedData, StripPanel::DecodedData,
                                                  StripPanel::PostData,  StripPanel::RxData};
        for (std::size_t i = 0; i < bitStrips.size(); ++i)
            RecordStrip(record.Of(bitPanels[i]), 16, 12, *bitStrips[i].first, *bitStrips[i].second,
                        kBlue, 0, 1);
        RecordStrip(record.Of(StripPanel::ModData), 16, 12, run.iModData, run.iModData, kBlue, -1,
                    1);
        RecordStrip(record.Of(StripPanel::DemodData), 16, 12, run.iDemodData, run.iModData, kBlue,
                    -1, 1);
        // A smooth two-level waveform for the eyes and a spectrum with a wide spread of powers.
        std::normal_distribution<double> noise(0.0, 0.05);
        for (int m = 0; m < kPoints; ++m) {
            const double symbol = run.iModData[(m / 16) % kSymbols];
            run.dRxTimeData[2 * m] =
                symbol * std::sin(std::numbers::pi * (m % 16) / 16) + noise(gen);
            spectrum[2 * m] = 300 * std::exp(-m / 400.0) + noise(gen);
            spectrum[2 * m + 1] = noise(gen);
        }
    }

    // A spectrum panel's part of a frame: the view's averaging, then the drawing.
    void AverageAndPlot(int s) {
        UpdateMemoryTrace({true, true}, averages[s], memory, memoryStored);
        AccumulateSpectrum(spectrum, averages[s], counts[s], run.dBaudRate);
        PlotSpectrum(averages[s], memoryStored ? &memory : nullptr, spectra[s], 0,
                     SpectrumView{false, 150});
    }

    void Draw() {
        StripSwitches all;
        all.on.fill(true);
        RedrawStrips(record, all, 1, 0.0,
                     [this](StripPanel p) -> Canvas& { return strips[static_cast<int>(p)]; });
        const EyeView eye{kPanelW, kPanelH, 0, false, run.dBaudRate};
        for (int e = 0; e < 3; ++e) {
            PlotEye(run.dRxTimeData, eyes[e], 1.5, run.dThresholds, e == 2, eye);
        }
        for (int s = 0; s < 3; ++s)
            AverageAndPlot(s);
    }
};

void BM_DisplayFrame(benchmark::State& state) {
    auto frame = std::make_unique<Frame>();
    for (auto _ : state) {
        frame->Draw();
        benchmark::DoNotOptimize(frame->averages);
    }
}
BENCHMARK(BM_DisplayFrame)->Unit(benchmark::kMicrosecond);

void BM_PlotEye(benchmark::State& state) {
    auto frame = std::make_unique<Frame>();
    const EyeView eye{kPanelW, kPanelH, 0, false, 1.0};
    for (auto _ : state) {
        PlotEye(frame->run.dRxTimeData, frame->eyes[0], 1.5, frame->run.dThresholds, true, eye);
    }
}
BENCHMARK(BM_PlotEye)->Unit(benchmark::kMicrosecond);

void BM_PlotSpectrum(benchmark::State& state) {
    auto frame = std::make_unique<Frame>();
    for (auto _ : state) {
        frame->AverageAndPlot(0);
        benchmark::DoNotOptimize(frame->averages[0]);
    }
}
BENCHMARK(BM_PlotSpectrum)->Unit(benchmark::kMicrosecond);

// A noise setting far beyond sense sends every trace off the panel: each line then takes
// the clipping path instead of the quick inside test.
void BM_PlotEyeWildSignal(benchmark::State& state) {
    auto frame = std::make_unique<Frame>();
    for (int m = 0; m < kSignalFloats; ++m)
        frame->run.dRxTimeData[m] *= 1e300;
    const EyeView eye{kPanelW, kPanelH, 0, false, 1.0};
    for (auto _ : state) {
        PlotEye(frame->run.dRxTimeData, frame->eyes[0], 1.5, frame->run.dThresholds, true, eye);
    }
}
BENCHMARK(BM_PlotEyeWildSignal)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace linelab
