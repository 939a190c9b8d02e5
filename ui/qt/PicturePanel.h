#pragma once
// A picture panel: the drawing routines' Canvas on a persistent image. The image is the
// panel's state (eyes build up over runs), so paintEvent only blits it. Lines are collected
// and drawn in one batch when the colour changes, when the panel is painted, or when the
// owner flushes at the end of a tick.

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

    void SetPreferredSize(QSize size);
    QSize sizeHint() const override { return preferred_; }
    QSize minimumSizeHint() const override;

  signals:
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void NewImage();
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
    QSize preferred_{200, 150};
};

}  // namespace linelab
