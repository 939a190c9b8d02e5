// The LineLab window.

#include <QApplication>

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
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.Lessons().OpenAndReport(args.at(1));
    return QApplication::exec();
}
