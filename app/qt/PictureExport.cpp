#include "app/qt/PictureExport.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "app/qt/PicturePanel.h"

namespace linelab {
namespace {

// The widget drawn into the generator: text stays text and lines stay lines wherever the
// widget paints them; the panels' backing images come out as embedded pictures.
std::optional<QString> WriteSvg(QWidget& widget, QSaveFile& out) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(widget.size());
    svg.setViewBox(QRect(QPoint(0, 0), widget.size()));
    svg.setTitle(QStringLiteral("LineLab"));
    QPainter painter;
    if (!painter.begin(&svg)) return QStringLiteral("the drawing could not be started");
    const PicturePanel::ExportScope lines(widget);
    widget.render(&painter);
    painter.end();
    return std::nullopt;
}

std::optional<QString> WritePng(QWidget& widget, QSaveFile& out, int scale) {
    const QImage image = RenderPicture(widget, scale);
    if (image.isNull()) return QStringLiteral("the image is too large");
    if (!image.save(&out, "PNG")) return QStringLiteral("the image could not be encoded");
    return std::nullopt;
}

// The export scales a save dialog's filters offer, in the order of its PNG filters.
const QStringList kPngFilters = {QStringLiteral("PNG image (*.png)"),
                                 QStringLiteral("PNG image, twice the size (*.png)"),
                                 QStringLiteral("PNG image, three times the size (*.png)")};

}  // namespace

QImage RenderPicture(QWidget& widget, int scale) {
    scale = std::clamp(scale, 1, 3);
    const qreal ratio = widget.devicePixelRatioF() * scale;
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.setDevicePixelRatio(ratio);
    image.fill(widget.palette().color(QPalette::Window));
    const PicturePanel::ExportScope lines(widget);
    widget.render(&image);
    return image;
}

std::optional<QString> ExportPicture(QWidget& widget, const QString& file, int scale) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return file + QStringLiteral(": ") + out.errorString();
    const bool svg = file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    if (auto problem = svg ? WriteSvg(widget, out) : WritePng(widget, out, scale)) {
        out.cancelWriting();
        return file + QStringLiteral(": ") + *problem;
    }
    if (!out.commit()) return file + QStringLiteral(": ") + out.errorString();
    return std::nullopt;
}

void CopyPicture(QWidget& widget) {
    QApplication::clipboard()->setPixmap(widget.grab());
}

void ExportPictureWithDialog(QWidget& widget) {
    QString selected;
    QString file = QFileDialog::getSaveFileName(
        widget.window(), QStringLiteral("Export Picture"), QString(),
        kPngFilters.join(QStringLiteral(";;")) + QStringLiteral(";;SVG drawing (*.svg)"),
        &selected);
    if (file.isEmpty()) return;
    const int scale = std::max(1, static_cast<int>(kPngFilters.indexOf(selected)) + 1);
    if (!file.contains(QLatin1Char('.'))) {
        file += selected.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg")
                                                           : QStringLiteral(".png");
    }
    if (const auto problem = ExportPicture(widget, file, scale))
        QMessageBox::warning(widget.window(), QStringLiteral("Export Picture"), *problem);
}

void AddPanelPictureMenus(QWidget& window, const QList<QWidget*>& panels) {
    for (QWidget* panel : panels) {
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(panel, &QWidget::customContextMenuRequested, &window,
                         [panel](const QPoint& at) {
                             QMenu menu(panel);
                             QAction* save = menu.addAction(QStringLiteral("Export Picture..."));
                             QAction* copy = menu.addAction(QStringLiteral("Copy Picture"));
                             const QAction* chosen = menu.exec(panel->mapToGlobal(at));
                             if (chosen == save) ExportPictureWithDialog(*panel);
                             if (chosen == copy) CopyPicture(*panel);
                         });
    }
}

}  // namespace linelab
