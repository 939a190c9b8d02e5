#pragma once
// A picture panel: the drawing routines' Canvas on a persistent image. Lines are collected
// and drawn in one batch when the colour changes, when the panel is painted, or when the
// owner flushes at the end of a tick; a flush also ends a run.
//
// Every line is also kept, as a fraction of the panel's scale, for the recent runs (a strip's
// and a spectrum's last drawing, an eye's traces of its last runs, bounded): a new size,
// zoom or ratio draws the image anew from them, and an export or the presentation view draws
// them as lines at whatever size it needs. Nothing is ever stretched.
//
// Around and over the image the panel paints what is not part of the drawing, at every
// repaint: a title band above it, an axis band below it, the latest markers (the lines its
// marker source gives for the last run drawn, so no number of later traces hides them) and
// a hint while it is empty and switched off. The canvas is the drawing area between the bands.

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QTimer;

#include "app/qt/PanelAxes.h"
#include "display/Canvas.h"
#include "display/Clip.h"

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
    // One that `covers` the drawing (a density eye) hides the traces: a drawing made of lines
    // leaves them out.
    void SetOverlay(Overlay overlay, bool covers = false);
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
    void SetNoAxis();
    AxisKind Axis() const { return axis_; }
    // A value axis in a band at the left: `top` at the top edge of the drawing, `bottom` at
    // its bottom edge (linear between), numbered ticks, `unit` at the top, and `marks`
    // (thresholds) labelled with their values in the marker colour; the unit goes in the
    // title. A `top` equal to
    // `bottom` removes the axis.
    struct ValueAxis {
        double top = 0;
        double bottom = 0;
        QString unit;
        std::vector<double> marks;
        bool operator==(const ValueAxis&) const = default;
    };
    void SetValueAxis(const ValueAxis& axis);
    const ValueAxis& Values() const { return values_; }
    // The colour the markers and the value axis' marks are painted in.
    void SetMarkerColour(int32_t bgr) { markerColour_ = bgr; }
    // Asked, as each run drawn on the panel ends, for the markers of that run in the
    // canvas' units; they replace the last ones.
    using MarkerSource = std::function<std::vector<Segment>()>;
    void SetMarkerSource(MarkerSource source) { markerSource_ = std::move(source); }
    // The markers in logical pixels of the drawing.
    const QVector<QLineF>& Markers() const { return markers_; }
    void SetOffHint(const QString& hint);
    QString OffHint() const { return offHint_; }
    bool Empty() const { return empty_ && pending_.isEmpty(); }
    // Line thickness in logical pixels (presentation zoom).
    void SetPenScale(qreal scale);
    // The projector palette (BgrColour.h) for the drawing, the markers and the hint.
    void SetHighContrast(bool on);
    bool HighContrast() const { return highContrast_; }
    // A drawing colour as this panel paints it.
    QColor Ink(int32_t bgr) const;
    // The drawing area inside the panel, between the bands.
    QRect DrawingRect() const;
    // The whole panel (bands, axes, drawing, overlays) painted into `target` at its size,
    // its drawing as lines from the kept runs: the presentation view and the exports.
    void PaintInto(QPainter& painter, const QRect& target, const QFont& font);
    // Lines kept for drawing again, over all kept runs.
    qsizetype KeptLines() const { return keptLines_ + open_.lines; }
    // While one exists, the panels in `root` (and root itself, if a panel) paint themselves
    // as lines (for an export at any scale or to a drawing) instead of showing their image.
    class ExportScope {
      public:
        explicit ExportScope(QWidget& root);
        ~ExportScope();
        ExportScope(const ExportScope&) = delete;
        ExportScope& operator=(const ExportScope&) = delete;

      private:
        QList<QPointer<PicturePanel>> panels_;
        QPointer<PicturePanel> alone_;  // root itself, when a panel
    };
    bool Exporting() const { return exporting_ > 0; }

    void SetPreferredSize(QSize size);
    QSize sizeHint() const override { return preferred_; }
    QSize minimumSizeHint() const override;

  signals:
    void Clicked();
    // A double click: the window shows this panel large.
    void Present();
    // A run was drawn, or the panel cleared: views of this panel repaint.
    void Changed();
    // The image was made anew for another size while holding a picture; the picture was
    // stretched to fit, which a strip (drawn to the panel's width) should replace.
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Lines of one colour, in fractions of the drawing's width and height.
    // Single precision: a fraction of a panel needs no more, and a run's lines take half
    // the memory (and the time to keep them).
    // A line drawn again a pixel or less below or to the right of the one before it is the
    // routines' way of drawing a line two pixels thick (the strips, the spectra, the eye's
    // markers): it is kept as a mark on that line, `thick`, so that at any size the line is
    // drawn again that far times the pen's width away, not that far scaled with the picture.
    struct Stroke {
        int32_t colour;
        std::vector<std::array<float, 4>> lines;
        std::vector<uint8_t> thick;  // per line: 0, or an offset as Thickens gives it
    };
    struct Run {
        std::vector<Stroke> strokes;
        qsizetype lines = 0;
    };
    void Keep(const QLineF& pixels);
    // When `line` is `before` moved down (or right) by 1 to 15 of the canvas' units, that
    // count (or 16 more); else 0.
    static uint8_t Thickens(const QLineF& before, const QLineF& line);
    // `lines` scaled by `scale`, each line marked by `thick` drawn again its offset times `pen`
    // away, every line clipped to the rectangle from 0 to `bounds` (a drawing's own clip is
    // not kept by every device: an SVG file's is not).
    static void DrawScaled(QPainter& painter, const QVector<QLineF>& lines,
                           const std::vector<uint8_t>& thick, QSizeF scale, QSizeF bounds,
                           qreal pen);
    void EndRun();
    void Replay(QPainter& painter, QSizeF size, qreal penWidth) const;
    QRect DrawingRectIn(QSize outer, const QFontMetrics& fm) const;
    // `numbers`: the frequency axis numbers itself even where labels of the window's own
    // stand beneath it (shown large, or exported alone, those labels are not there).
    void PaintBandsIn(QPainter& painter, const QRect& outer, const QRect& area,
                      const QFontMetrics& fm, bool numbers);
    void PaintInto(QPainter& painter, const QRect& target, const QFont& font, bool numbers);
    void PaintValueAxis(QPainter& painter, const QRect& band, const QRect& area,
                        const QFontMetrics& fm);
    void PaintHint(QPainter& painter, const QRect& area);
    void NewImage();
    void DrawPending();  // into the image as it is, whatever its size
    void PaintFrequencyAxis(QPainter& painter, const QRect& band, const QFontMetrics& fm,
                            bool numbers);
    void PaintSymbolAxis(QPainter& painter, const QRect& band, const QFontMetrics& fm);
    void PaintTicks(QPainter& painter, const QRect& band, const QFontMetrics& fm,
                    const std::vector<axes::Tick>& ticks, const QString& unit);
    void PaintMarkers(QPainter& painter, const QRect& area, qreal penWidth);
    int TitleHeight(const QFontMetrics& fm) const;
    int AxisHeight(const QFontMetrics& fm) const;
    int SideWidth() const;
    int ValueWidth(const QFontMetrics& fm) const;
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
    bool overlayCovers_ = false;
    bool empty_ = true;
    QSize preferred_{200, 150};
    QString title_;
    QString side_;
    AxisKind axis_ = AxisKind::None;
    bool axisNumbers_ = true;
    double symbolsAcross_ = 0;
    const PicturePanel* scaleOf_ = nullptr;
    int32_t markerColour_ = -1;
    MarkerSource markerSource_;
    QVector<QLineF> markers_;
    std::vector<uint8_t> markerThick_;  // as a stroke's `thick`, for the markers
    QLineF lastKept_;                   // in pixels, to find the second line of a thick one
    ValueAxis values_;
    std::deque<Run> runs_;
    Run open_;
    qsizetype keptLines_ = 0;
    double keepX_ = 0;  // pixels to fractions of the scale, set as each batch begins
    double keepY_ = 0;
    int sideWidth_ = -1;              // cached text metrics, measured again when the font changes
    std::optional<QFont> paintFont_;  // while painting into another picture, its font
    QString offHint_;
    qreal penScale_ = 1;
    bool highContrast_ = false;
    QTimer* clickTimer_ = nullptr;
    int exporting_ = 0;       // export scopes holding this panel
    int exportingAlone_ = 0;  // of those, the ones exporting this panel by itself
    QString widestValue_;  // the value axis' longest number, for its band's width  // a click waits
                           // to see whether it is a double click
};

}  // namespace linelab
