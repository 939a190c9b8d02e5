#pragma once
// Every line the drawing routines emit goes through ClippedCanvas. Samples and levels come
// from arithmetic that a user can drive anywhere (a noise level of 1e308, a zero scale, a
// tiny symbol rate), and a painter handed non-finite or astronomically large coordinates can
// crawl or hang. So a line reaches the real canvas only after it has been clipped to a
// bounded margin around the panel:
//
//   x in [-W, 2W] and y in [-H, 2H], W and H being the panel's scale width and height.
//
// - A segment with both ends inside the margin is passed unchanged, so the geometry of every
//   ordinary drawing is exact.
// - Otherwise the segment is cut to the margin rectangle (Liang-Barsky), which keeps the
//   visible part on the same straight line. Before cutting, each coordinate is limited to
//   +-kFarCoordinate; infinities therefore stand for "very far in that direction". Only
//   segments reaching beyond that bound (over 10^12 units, tens of millions of screens)
//   change direction, and those are noise anyway.
// - A segment with a NaN coordinate is dropped: it has no defined place.
// - A panel with no area (W or H not above 0) gets no lines at all.

#include <cstdint>

#include "display/Canvas.h"

namespace linelab {

inline constexpr double kFarCoordinate = 1e12;

struct Segment {
    double x1, y1, x2, y2;
};

struct Margin {
    double left, top, right, bottom;
    bool empty;  // the panel has no area: nothing is drawn

    bool Contains(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

Margin MarginAround(int width, int height);

// Cuts the segment to the margin in place; false when nothing of it remains.
bool ClipToMargin(Segment& s, const Margin& m);

// What reaches the canvas of a segment: itself when both ends are inside the margin, else
// its cut; false when nothing remains.
inline bool ClipLine(Segment& s, const Margin& m) {
    return (m.Contains(s.x1, s.y1) && m.Contains(s.x2, s.y2)) || ClipToMargin(s, m);
}

// The canvas as the drawing routines use it: the same operations, with every line clipped.
class ClippedCanvas {
  public:
    explicit ClippedCanvas(Canvas& canvas)
        : canvas_(canvas), margin_(MarginAround(canvas.ScaleWidth(), canvas.ScaleHeight())) {}

    int ScaleWidth() const { return canvas_.ScaleWidth(); }
    int ScaleHeight() const { return canvas_.ScaleHeight(); }
    void Clear() { canvas_.Clear(); }
    void SetColour(int32_t bgr) { canvas_.SetColour(bgr); }

    void Line(double x1, double y1, double x2, double y2) {
        Segment s{x1, y1, x2, y2};
        if (ClipLine(s, margin_)) canvas_.Line(s.x1, s.y1, s.x2, s.y2);
    }

  private:
    Canvas& canvas_;
    Margin margin_;
};

}  // namespace linelab
