#pragma once
// Menus shared by the window's parts: whichever part asks first creates the menu, the
// others add to it.

#include <QString>

class QMenu;
class QMenuBar;

namespace linelab {

// The menu of the bar named `objectName`; made with `title` when missing, placed before
// the Help menu so Help stays last.
QMenu* MenuNamed(QMenuBar& bar, const QString& objectName, const QString& title);

}  // namespace linelab
