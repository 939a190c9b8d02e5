// The LineLab window.

#include <QApplication>

#include "ui/qt/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    linelab::MainWindow window;
    window.show();
    return QApplication::exec();
}
