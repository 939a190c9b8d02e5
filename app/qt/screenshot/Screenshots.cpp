// Renders the window after a few runs into PNG files, without a display.
// Usage: linelab_screenshots [folder]    (default: docs/screenshots)
// Every scene at 1280x800, named after the scene (scene0-just-data.png ...
// scene6-full-channel.png); the last scene also on a 1024x768 projector
// (scene6-full-channel-1024x768.png) and at 200 % on a 1920x1080 screen
// (scene6-full-channel-1920x1080-200.png), for which the tool runs itself once more with the
// scale factor set, since a scale applies to a whole process; then the receive eye shown
// large (scene6-full-channel-presentation.png) and the window zoomed in twice
// (scene6-full-channel-zoom-130.png).

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>

#include "ui/Form1.h"
#include "app/qt/MainWindow.h"
#include "app/qt/OffscreenPlatform.h"
#include "app/qt/PicturePanel.h"

namespace {

constexpr int kTicks = 25;  // enough runs for the eyes to fill and the spectra to settle
constexpr int kLastScene = linelab::kSceneCount - 1;
constexpr const char* kHiDpiOption = "--hidpi";

QString FileName(int scene, const std::string& title, const QString& suffix) {
    QString slug = QString::fromStdString(title).toLower();
    slug.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("scene%1-%2%3.png").arg(scene).arg(slug, suffix);
}

bool Shoot(linelab::MainWindow& window, int scene, QSize size, const QString& folder,
           const QString& suffix, const std::function<void()>& prepare = {}) {
    window.resize(size);
    window.ApplyScene(scene);
    if (prepare) prepare();
    QApplication::processEvents();  // lay out before drawing
    // The window's own timer makes the runs, so the status bar shows a real rate.
    QEventLoop loop;
    int ticks = 0;
    const auto counter = QObject::connect(&window.Timer1(), &QTimer::timeout, &loop, [&] {
        if (++ticks == kTicks) loop.quit();
    });
    loop.exec();
    QObject::disconnect(counter);
    QApplication::processEvents();
    const auto& scenes = window.Model().List(linelab::ListId::cmbScene).items;
    const QString path =
        QDir(folder).filePath(FileName(scene, scenes[static_cast<std::size_t>(scene)], suffix));
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "linelab_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool hiDpi = argc > 2 && std::strcmp(argv[2], kHiDpiOption) == 0;
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
    window.show();
    if (hiDpi) {
        // 1920x1080 pixels at twice the scale: 960x540 for the window.
        return Shoot(window, kLastScene, QSize(960, 540), folder, QStringLiteral("-1920x1080-200"))
                   ? 0
                   : 1;
    }
    for (int scene = 0; scene < linelab::kSceneCount; ++scene) {
        if (!Shoot(window, scene, QSize(1280, 800), folder, QString())) return 1;
    }
    if (!Shoot(window, kLastScene, QSize(1024, 768), folder, QStringLiteral("-1024x768"))) return 1;
    const auto present = [&window] {
        window.Present(window.Widgets().Picture(linelab::PictureId::picRxEye));
    };
    if (!Shoot(window, kLastScene, QSize(1280, 800), folder, QStringLiteral("-presentation"),
               present))
        return 1;
    window.EndPresentation();
    const auto zoom = [&window] {
        QApplication::processEvents();
        window.ZoomIn();
        QApplication::processEvents();
        window.ZoomIn();
    };
    if (!Shoot(window, kLastScene, QSize(1280, 800), folder, QStringLiteral("-zoom-130"), zoom))
        return 1;
    window.ZoomActual();
    QProcess self;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    self.setProcessEnvironment(env);
    self.setProcessChannelMode(QProcess::ForwardedChannels);
    self.start(QCoreApplication::applicationFilePath(),
               {folder, QString::fromLatin1(kHiDpiOption)});
    return self.waitForFinished(120000) && self.exitCode() == 0 ? 0 : 1;
}
