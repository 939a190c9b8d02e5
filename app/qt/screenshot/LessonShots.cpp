// Renders the lesson pane for the README: linelab_lesson_shots [folder]
// Run on a real display (xvfb-run with a 1280x800 screen): a guided example at 1280x800 with a
// question's answer shown (lesson-pane-1280x800.png), at 1024x768 (lesson-pane-1024x768.png),
// and in full screen (lesson-pane-full-screen.png).

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/qt/LessonActions.h"
#include "app/qt/LessonPane.h"
#include "app/qt/MainWindow.h"

namespace {

constexpr int kTicks = 40;  // enough runs for the eyes to fill and the spectra to settle

void Wait(linelab::MainWindow& window, int ticks) {
    QEventLoop loop;
    int count = 0;
    const auto counter = QObject::connect(&window.Timer1(), &QTimer::timeout, &loop, [&] {
        if (++count == ticks) loop.quit();
    });
    loop.exec();
    QObject::disconnect(counter);
    QApplication::processEvents();
}

bool Shoot(linelab::MainWindow& window, const QString& lesson, std::size_t step,
           const QString& path, const std::function<void()>& prepare) {
    if (const auto problem =
            window.Lessons().Open(QStringLiteral(LINELAB_SOURCE_LESSONS "/") + lesson)) {
        std::fprintf(stderr, "linelab_lesson_shots: %s\n", qPrintable(*problem));
        return false;
    }
    prepare();
    QApplication::processEvents();
    window.Pane().GoTo(step);
    Wait(window, kTicks);
    window.RelayOut();
    Wait(window, 2);
    const QPixmap shot = window.isFullScreen() ? window.screen()->grabWindow(0) : window.grab();
    if (!shot.save(path, "PNG")) {
        std::fprintf(stderr, "linelab_lesson_shots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(folder);
    linelab::MainWindow window;
    window.show();
    const auto at = [&window](QSize size) {
        return [&window, size] {
            window.resize(size);
            window.move(0, 0);
        };
    };
    bool ok = Shoot(window, QStringLiteral("band-limits-and-echoes.json"), 2,
                    QDir(folder).filePath(QStringLiteral("lesson-pane-1024x768.png")),
                    at(QSize(1024, 768)));
    ok = ok && Shoot(window, QStringLiteral("why-line-codes.json"), 4,
                     QDir(folder).filePath(QStringLiteral("lesson-pane-1280x800.png")), [&] {
                         at(QSize(1280, 800))();
                         Wait(window, 3);
                     });
    if (ok) {
        window.Pane().ShowAnswer();
        Wait(window, 2);
        window.grab().save(QDir(folder).filePath(QStringLiteral("lesson-pane-1280x800.png")),
                           "PNG");
    }
    ok = ok && Shoot(window, QStringLiteral("noise-and-the-eye.json"), 3,
                     QDir(folder).filePath(QStringLiteral("lesson-pane-full-screen.png")), [&] {
                         window.showFullScreen();
                         Wait(window, 3);
                     });
    return ok ? 0 : 1;
}
