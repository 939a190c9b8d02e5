// The cost of one painted frame: a tick of the "Full Channel" scene with every panel
// switched on, computed and drawn into the panels' images, on the offscreen platform at
// the window's default size. The second also delivers the paint events the panels asked
// for, as the event loop does after each tick; the third computes the same run with no
// window at all, for comparison.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/Form1.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MeasureView.h"
#include "ui/qt/PicturePanel.h"
#include "ui/qt/OffscreenPlatform.h"

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
