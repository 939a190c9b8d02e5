#pragma once
// Pictures of the window or of one panel for slides: PNG (the pixels as shown) or SVG
// (a drawing that scales), chosen by the file's suffix, and the clipboard.

#include <QString>
#include <optional>

class QWidget;

namespace linelab {

// Writes what the widget shows to `file`: SVG when the name ends in ".svg" (any case),
// PNG otherwise. The file is written whole or not at all. Returns the problem, or nothing.
std::optional<QString> ExportPicture(QWidget& widget, const QString& file);

// Puts what the widget shows on the clipboard as an image.
void CopyPicture(QWidget& widget);

// Asks for a file name and exports; a failure is shown in a box over `widget`'s window.
void ExportPictureWithDialog(QWidget& widget);

// A context menu on each picture panel: export or copy that panel.
void AddPanelPictureMenus(QWidget& window, const QList<QWidget*>& panels);

}  // namespace linelab
