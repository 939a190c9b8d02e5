// The cost of one painted frame: a tick of the "Full Channel" scene with every panel
// switched on, computed and drawn into the panels' images, on the offscreen platform at
// the window's default size. The second also delivers the paint events the panels asked
// for, as the event loop does after each tick; the third computes the same run with no
// window at all, for comparison.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/FastRun.h"
#include "ui/Form1.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MeasureView.h"
#include "app/qt/OffscreenPlatform.h"
#include "app/qt/PicturePanel.h"

namespace {

constexpr int kFullChannel = 6;

void PrepareFullChannel(linelab::MainWindow& window) {
    window.Timer1().stop();
    window.show();
    window.ApplyScene(kFullChannel);
    // The panel switches (strips, eyes, spectra) come first among the check boxes.
    for (int i = 0; i <= static_cast<int>(linelab::CheckId::chkRxSpectrum); ++i)
        window.Model().SetCheckValue(static_cast<linelab::CheckId>(i), 1);
    QApplication::processEvents();
    window.Tick();  // the first run designs the filters
}

void BM_PaintedFrame(benchmark::State& state) {
    linelab::MainWindow window;
    PrepareFullChannel(window);
    for (auto _ : state)
        window.Tick();
}
BENCHMARK(BM_PaintedFrame)->Unit(benchmark::kMillisecond);

void BM_PaintedFrameShown(benchmark::State& state) {
    linelab::MainWindow window;
    PrepareFullChannel(window);
    for (auto _ : state) {
        window.Tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PaintedFrameShown)->Unit(benchmark::kMillisecond);

// The same frame with the three eyes shown as density eyes (counted, converted to colours
// and painted) and the receive eye's calipers on top: the paint events are delivered.
void BM_PaintedFrameDensityEyes(benchmark::State& state) {
    linelab::MainWindow window;
    PrepareFullChannel(window);
    window.Model().SetText("cmbNoise", "0.1");
    window.Measures().SetDensity(true);
    window.Measures().SetEyeOpening(true);
    for (int i = 0; i < 100; ++i)  // a density with its tails, as after ten seconds of running
        window.Tick();
    QApplication::processEvents();
    for (auto _ : state) {
        window.Tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PaintedFrameDensityEyes)->Unit(benchmark::kMillisecond);

// Painting alone: the three density eyes (colours from the counts, the image, the markers)
// and the calipers repainted once, with no run in between.
void BM_PaintDensityEyes(benchmark::State& state) {
    linelab::MainWindow window;
    PrepareFullChannel(window);
    window.Model().SetText("cmbNoise", "0.1");
    window.Measures().SetDensity(true);
    window.Measures().SetEyeOpening(true);
    for (int i = 0; i < 100; ++i)
        window.Tick();
    QApplication::processEvents();
    const auto& w = window.Widgets();
    for (auto _ : state) {
        for (int eye = 0; eye < 3; ++eye)
            w.Picture(linelab::Element(linelab::PictureId::picTxEye, eye))->repaint();
    }
}
BENCHMARK(BM_PaintDensityEyes)->Unit(benchmark::kMillisecond);

// Every panel switched off (the way to measure small error rates): polar NRZ, Root RC and
// Matched, the lowest noise level.
void PrepareQuietLink(linelab::MainWindow& window) {
    window.Timer1().stop();
    window.show();
    window.ApplyScene(kFullChannel);
    linelab::Form1& form = window.Model();
    form.SetText("cmbMod(0)", "Polar (N)RZ");
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    form.SetText("cmbNoise", "0.1");
    for (int i = 0; i <= static_cast<int>(linelab::CheckId::chkRxSpectrum); ++i)
        form.SetCheckValue(static_cast<linelab::CheckId>(i), 0);
    QApplication::processEvents();
    window.Tick();
}

// The Noise scene at 0.4 W/kHz with every panel off, as the sweep worker's row runs it:
// the fast loop's rate (slices, readouts and status included) against the bare engine's.
void BM_FastRunPanelsOff(benchmark::State& state) {
    linelab::MainWindow window;
    window.Timer1().stop();
    window.show();
    window.ApplyScene(5);
    linelab::Form1& form = window.Model();
    form.SetText("cmbNoise", "0.4");
    for (int i = 0; i <= static_cast<int>(linelab::CheckId::chkRxSpectrum); ++i)
        form.SetCheckValue(static_cast<linelab::CheckId>(i), 0);
    QApplication::processEvents();
    window.Tick();
    linelab::FastRun fast(window.Model(), window.Measures().Model());
    uint64_t runs = 0;
    for (auto _ : state) {
        const uint64_t before = fast.Runs();
        fast.Slice();
        runs += fast.Runs() - before;
        QApplication::processEvents();
    }
    state.counters["runs/s"] =
        benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FastRunPanelsOff)->Unit(benchmark::kMillisecond)->UseRealTime();

// The time a user waits, in the window with Fast on and every panel off, for a BER of
// about 1e-5 measured with 100 errors (the link above: about 4e-6).
void BM_FastRunHundredErrors(benchmark::State& state) {
    for (auto _ : state) {
        linelab::MainWindow window;
        PrepareQuietLink(window);
        window.Model().ClickBer();
        window.Measures().SetFast(true);
        window.Timer1().stop();
        const auto& counts = window.Measures().Model().Counts();
        while (counts.Errors() < 100)
            QApplication::processEvents();
        state.counters["bits"] = static_cast<double>(counts.Bits());
        state.counters["ber"] = static_cast<double>(counts.Errors()) / counts.Bits();
        window.Measures().SetFast(false);
    }
}
BENCHMARK(BM_FastRunHundredErrors)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_ComputedFrameWithoutWindow(benchmark::State& state) {
    linelab::Form1 form;
    form.ApplyScene(kFullChannel);
    for (int i = 0; i <= static_cast<int>(linelab::CheckId::chkRxSpectrum); ++i)
        form.SetCheckValue(static_cast<linelab::CheckId>(i), 1);
    form.Timer1_Timer();
    for (auto _ : state)
        form.Timer1_Timer();
}
BENCHMARK(BM_ComputedFrameWithoutWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    linelab::UseOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
