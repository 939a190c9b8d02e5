// The LineLab window.

#include <QApplication>
#include <filesystem>

#include "app/qt/LessonActions.h"
#include "app/qt/Logo.h"
#include "app/qt/MainWindow.h"

// linelab [LESSON]: the window, with the lesson opened when one is named.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("LineLab"));
    QApplication::setApplicationName(QStringLiteral("linelab"));
    QApplication::setWindowIcon(linelab::LogoIcon());
    linelab::MainWindow window;
    window.show();
    // The name as its bytes (QApplication has taken its own options out of argv): one that
    // is no UTF-8 would not survive the trip through a QString.
    if (argc > 1) window.Lessons().OpenFileAndReport(std::filesystem::path(argv[1]));
    return QApplication::exec();
}
