#include "app/qt/MenuNamed.h"

#include <QMenu>
#include <QMenuBar>

namespace linelab {

QMenu* MenuNamed(QMenuBar& bar, const QString& objectName, const QString& title) {
    for (QAction* action : bar.actions()) {
        QMenu* menu = action->menu();
        if (menu != nullptr && menu->objectName() == objectName) return menu;
    }
    auto* menu = new QMenu(title, &bar);
    menu->setObjectName(objectName);
    QAction* before = nullptr;
    for (QAction* action : bar.actions()) {
        if (action->menu() != nullptr && action->menu()->objectName() == QLatin1String("HelpMenu"))
            before = action;
    }
    bar.insertMenu(before, menu);
    return menu;
}

}  // namespace linelab
