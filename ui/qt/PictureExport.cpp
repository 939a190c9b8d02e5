#include "ui/qt/PictureExport.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

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
    widget.render(&painter);
    painter.end();
    return std::nullopt;
}

std::optional<QString> WritePng(QWidget& widget, QSaveFile& out) {
    if (!widget.grab().save(&out, "PNG")) return QStringLiteral("the image could not be encoded");
    return std::nullopt;
}

}  // namespace

std::optional<QString> ExportPicture(QWidget& widget, const QString& file) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return file + QStringLiteral(": ") + out.errorString();
    const bool svg = file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    if (auto problem = svg ? WriteSvg(widget, out) : WritePng(widget, out)) {
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
        QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), &selected);
    if (file.isEmpty()) return;
    if (!file.contains(QLatin1Char('.'))) {
        file += selected.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg")
                                                           : QStringLiteral(".png");
    }
    if (const auto problem = ExportPicture(widget, file))
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
