// Renders every scene of the window after a few runs into PNG files, without a display.
// Usage: linelab_screenshots [folder]    (default: docs/screenshots)
// Files are named after the scene: scene0-just-data.png ... scene6-full-channel.png.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "ui/Form1.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/OffscreenPlatform.h"

namespace {

constexpr int kTicks = 25;  // enough runs for the eyes to fill and the spectra to settle

QString FileName(int scene, const std::string& title) {
    QString slug = QString::fromStdString(title).toLower();
    slug.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("scene%1-%2.png").arg(scene).arg(slug);
}

}  // namespace

int main(int argc, char* argv[]) {
    linelab::UseOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "linelab_screenshots: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    linelab::MainWindow window;
    window.Timer1().stop();  // the runs below are the only ones
    window.show();
    const auto& scenes = window.Model().List(linelab::ListId::cmbScene).items;
    for (int scene = 0; scene < linelab::kSceneCount; ++scene) {
        window.ApplyScene(scene);
        QApplication::processEvents();  // lay out before drawing: a resize clears panels
        for (int tick = 0; tick < kTicks; ++tick)
            window.Tick();
        QApplication::processEvents();
        const QString path =
            QDir(folder).filePath(FileName(scene, scenes[static_cast<std::size_t>(scene)]));
        if (!window.grab().save(path, "PNG")) {
            std::fprintf(stderr, "linelab_screenshots: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
