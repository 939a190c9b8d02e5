// Renders the README's measurement pictures without a display.
// Usage: linelab_measure_shots [folder]    (default: docs/screenshots)
//   density-eye.png: the Full Channel scene under noise, density eyes with the calipers.
//   ber-curves.png:  the BER Curve window with three held curves against their theory.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <cstdio>

#include "app/qt/BerCurveWindow.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MeasureView.h"
#include "app/qt/OffscreenPlatform.h"
#include "ui/Form1.h"

namespace {

constexpr int kFullChannel = 6;
constexpr int kTicks = 400;  // enough runs for the density to show its tails

bool Save(QWidget& widget, const QString& folder, const char* name) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path, "PNG")) {
        std::fprintf(stderr, "linelab_measure_shots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool DensityEyeShot(const QString& folder) {
    linelab::MainWindow window;
    window.Timer1().stop();
    window.show();
    window.resize(1280, 800);  // as the scene pictures
    window.ApplyScene(kFullChannel);
    linelab::Form1& form = window.Model();
    form.SetText("cmbMod(0)", "Polar (N)RZ");
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    form.SetText("cmbNoise", "0.1");
    window.Measures().SetDensity(true);
    window.Measures().SetEyeOpening(true);
    QApplication::processEvents();  // lay out before drawing: a resize clears panels
    for (int tick = 0; tick < kTicks; ++tick)
        window.Tick();
    QApplication::processEvents();
    return Save(window, folder, "density-eye.png");
}

// Unipolar NRZ, polar NRZ and AMI with Root RC and Matched filters and the window's own
// receiver (fixed N0, midway thresholds), each down to a rate of about 1e-9. The points
// start half a dB in so that each curve's last lands where its ideal receiver reaches 1e-9
// (polar at 12.5 dB, unipolar and AMI 3 dB later). Every point waits for 20 errors or 3e9
// bits: the last one, at 1e-9, gets about 3 errors, the one before some 20; on the folded
// runner the picture takes about ten minutes on two shared cores.
bool BerCurveShot(const QString& folder) {
    linelab::MainWindow window;
    window.Timer1().stop();
    window.show();
    window.ApplyScene(kFullChannel);
    linelab::Form1& form = window.Model();
    window.ShowBerCurve();
    linelab::BerCurveWindow& curves = *window.BerCurve();
    // Wide enough that the legend of six long labels leaves the curves' low ends clear.
    curves.resize(1180, 760);
    curves.SetLimits(20, 3e9);
    struct Setup {
        const char* format;
        double to;
    };
    for (const Setup& setup :
         {Setup{"Unipolar (N)RZ", 15.5}, Setup{"Polar (N)RZ", 12.5}, Setup{"AMI", 15.5}}) {
        curves.SetRange(0.5, setup.to, 1);
        form.SetText("cmbMod(0)", setup.format);
        form.SetText("cmbCode(0)", "None");
        form.SetText("cmbTxFilter(0)", "Root RC");  // after the mapping, which resets them
        form.SetText("cmbTxFilter(1)", "Matched");
        QEventLoop loop;
        QObject::connect(&curves, &linelab::BerCurveWindow::Finished, &loop, &QEventLoop::quit);
        if (!curves.Start()) return false;
        loop.exec();
        curves.Hold();
    }
    QApplication::processEvents();
    return Save(curves, folder, "ber-curves.png");
}

}  // namespace

int main(int argc, char* argv[]) {
    linelab::UseOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "linelab_measure_shots: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    return DensityEyeShot(folder) && BerCurveShot(folder) ? 0 : 1;
}
