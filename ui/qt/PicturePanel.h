#pragma once
// A picture panel: the drawing routines' Canvas on a persistent image. The image is the
// panel's state (eyes build up over runs), so paintEvent only blits it. Lines are collected
// and drawn in one batch when the colour changes, when the panel is painted, or when the
// owner flushes at the end of a tick.
//
// Around and over the image the panel paints what is not part of the drawing, at every
// repaint: a title band above it, an axis band below it, the latest markers (lines drawn in
// the marker colour, so no number of later traces hides them) and a hint while it is empty
// and switched off. The canvas is the drawing area between the bands.

#include <QImage>
#include <QLineF>
#include <QVector>
#include <QWidget>
#include <functional>

class QPainter;

#include "display/Canvas.h"

namespace linelab {

class PicturePanel : public QWidget, public Canvas {
    Q_OBJECT

  public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // Canvas: 15 units per logical pixel.
    int ScaleWidth() const override;
    int ScaleHeight() const override;
    void Clear() override;
    void SetColour(int32_t bgr) override;
    int32_t Colour() const override { return colour_; }
    void Line(double x1, double y1, double x2, double y2) override;

    // While this panel is hidden its scale is that of `standIn` (which must outlive it): a
    // hidden panel keeps the size of the panel it stands for.
    void SetStandIn(const PicturePanel* standIn) { standIn_ = standIn; }

    // Draws the collected lines into the image.
    void Flush();
    // The image with every line drawn so far.
    const QImage& Image();

    // A switched-off strip is shown greyed; the image itself is left alone.
    void SetGreyed(bool greyed);
    bool Greyed() const { return greyed_; }

    // Painted over the image at every repaint (never into it): density eyes, calipers.
    using Overlay = std::function<void(QPainter&, const QRect&)>;
    void SetOverlay(Overlay overlay);
    // Painted around and over the drawing; an empty title or AxisKind::None takes no room.
    enum class AxisKind { None, Frequency, SymbolPeriods };
    void SetTitle(const QString& title);
    // A name in a band at the left (the strips: low panels, where height is scarce).
    void SetSideLabel(const QString& label);
    QString Title() const { return title_; }
    // Frequency: 0 to 4 kHz with numbers unless `numbers` is false (labels of its own are
    // shown beneath). SymbolPeriods: ticks every symbol period, `symbolsAcross` periods
    // across the width of `scaleOf` (the panel whose size scales the traces).
    void SetFrequencyAxis(bool numbers);
    void SetSymbolAxis(double symbolsAcross, const PicturePanel* scaleOf);
    AxisKind Axis() const { return axis_; }
    // Lines drawn in this colour are also kept as an overlay, replaced by the next batch.
    void SetMarkerColour(int32_t bgr) { markerColour_ = bgr; }
    const QVector<QLineF>& Markers() const { return markers_; }
    void SetOffHint(const QString& hint);
    QString OffHint() const { return offHint_; }
    bool Empty() const { return empty_ && pending_.isEmpty(); }
    // Line thickness in logical pixels (presentation zoom).
    void SetPenScale(qreal scale);
    // The drawing area inside the panel, between the bands.
    QRect DrawingRect() const;

    void SetPreferredSize(QSize size);
    QSize sizeHint() const override { return preferred_; }
    QSize minimumSizeHint() const override;

  signals:
    void Clicked();
    // The image was made anew for another size while holding a picture; the picture was
    // stretched to fit, which a strip (drawn to the panel's width) should replace.
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void NewImage();
    void DrawPending();  // into the image as it is, whatever its size
    void PaintBands(QPainter& painter);
    void PaintFrequencyAxis(QPainter& painter, const QRect& band);
    void PaintSymbolAxis(QPainter& painter, const QRect& band);
    void PaintOverlay(QPainter& painter);
    int TitleHeight() const;
    int AxisHeight() const;
    int SideWidth() const;
    QFont SideFont() const;
    void EnsureImage();  // the image always has the panel's current size and ratio
    QSize LogicalSize() const;

    QImage image_;
    QSize imageSize_;  // logical size the image was made for
    qreal imageRatio_ = 0;
    QVector<QLineF> pending_;
    int32_t colour_ = 0;  // black, the default drawing colour
    const PicturePanel* standIn_ = nullptr;
    bool greyed_ = false;
    Overlay overlay_;
    bool empty_ = true;
    QSize preferred_{200, 150};
    QString title_;
    QString side_;
    AxisKind axis_ = AxisKind::None;
    bool axisNumbers_ = true;
    double symbolsAcross_ = 0;
    const PicturePanel* scaleOf_ = nullptr;
    int32_t markerColour_ = -1;
    QVector<QLineF> markers_;
    QString offHint_;
    qreal penScale_ = 1;
};

}  // namespace linelab
