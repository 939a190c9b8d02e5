#pragma once
// Pictures of the window or of one panel for slides: PNG at one, two or three times the size
// shown, or SVG (a drawing that scales), chosen by the file's suffix, and the clipboard. The
// panels draw themselves anew for an export, from the lines they keep: a larger PNG is as
// sharp as the screen, and the SVG's traces are lines.

#include <QImage>
#include <QString>
#include <optional>

class QWidget;

namespace linelab {

// Writes what the widget shows to `file`: SVG when the name ends in ".svg" (any case),
// PNG otherwise, `scale` (1 to 3) times the widget's size. The file is written whole or not
// at all. Returns the problem, or nothing.
std::optional<QString> ExportPicture(QWidget& widget, const QString& file, int scale = 1);

// What the widget shows, drawn anew `scale` times its size.
QImage RenderPicture(QWidget& widget, int scale);

// Puts what the widget shows on the clipboard as an image.
void CopyPicture(QWidget& widget);

// Asks for a file name and exports; a failure is shown in a box over `widget`'s window.
void ExportPictureWithDialog(QWidget& widget);

// A context menu on each picture panel: export or copy that panel.
void AddPanelPictureMenus(QWidget& window, const QList<QWidget*>& panels);

}  // namespace linelab
