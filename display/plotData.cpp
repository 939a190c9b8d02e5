#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/Colours.h"
#include "common/TextNumber.h"
#include "display/Clip.h"
#include "display/Plots.h"

namespace linelab {
namespace {

// The slot and level geometry of one strip, in the panel's units. Everything is held in
// double (whole numbers, exact far beyond any panel size) so that a large panel or an odd
// level never overflows.
struct StripGeometry {
    double w;    // slot width
    double on;   // flat part of an element
    double off;  // zero-level gap before an element (return-to-zero drawing)
    double s;    // level step, negative: y grows downward
    double yb;   // base line, where iMin lies
    double y0;   // zero level
    int16_t iMin;

    double LevelY(int16_t v) const { return (static_cast<double>(v) - iMin) * s + yb; }
};

StripGeometry MeasureStrip(int width, int height, int16_t iDutyCycle, int16_t iBaud, int zoom,
                           int16_t iMin, int16_t iMax) {
    StripGeometry g{};
    g.w = Int(static_cast<double>(width) / iBaud / zoom);
    g.on = Int(g.w * iDutyCycle / 16);
    g.off = Int((16.0 - iDutyCycle) * g.w / 16);
    // Equal bounds would divide by zero; such a strip has one level, drawn on the base line
    // as if the span were 1.
    const int span = iMax != iMin ? iMax - iMin : 1;
    g.s = RoundHalfEven(-Int(static_cast<double>(height) * 3 / 5) / span);
    g.yb = Int(static_cast<double>(height) * 4 / 5);
    g.y0 = g.yb - iMin * g.s;
    g.iMin = iMin;
    return g;
}

// The draw loop proper. `previous` is the last element's level position; it has no value
// after an invalid-group cross, so the next element gets no edge from it. (Keeping this
// apart from the coordinates means a level that happens to lie 13 units down still gets
// its edges.)
class StripPainter {
  public:
    StripPainter(ClippedCanvas& pic, const StripGeometry& g, int16_t iDutyCycle, int32_t colour)
        : pic_(pic), g_(g), iDutyCycle_(iDutyCycle), colour_(colour), previous_(g.yb) {}

    void Element(int i, int16_t value, int16_t reference) {
        const double x = i * g_.w;
        if (value != reference) pic_.SetColour(kRed);
        if (value == kInvalidMark) {
            Cross(x);
        } else {
            Level(x, g_.LevelY(value));
        }
        pic_.SetColour(colour_);
    }

  private:
    void Cross(double x) {
        pic_.SetColour(kRed);
        pic_.Line(x, g_.yb, x + g_.on, g_.yb + g_.s);
        pic_.Line(x, g_.yb + g_.s, x + g_.on, g_.yb);
        afterMark_ = true;
    }

    void Level(double x, double y) {
        pic_.Line(x, y, x + g_.on, y);
        pic_.Line(x, y + kUnitsPerPixel, x + g_.on, y + kUnitsPerPixel);
        if (iDutyCycle_ == 16) {
            if (!afterMark_ && previous_ != y) pic_.Line(x, previous_, x, y);
        } else if (iDutyCycle_ < 16) {
            pic_.Line(x, g_.y0, x, y);
            pic_.Line(x + g_.on, g_.y0, x + g_.on, y);
            pic_.Line(x - g_.off, g_.y0, x, g_.y0);
            pic_.Line(x - g_.off, g_.y0 + kUnitsPerPixel, x, g_.y0 + kUnitsPerPixel);
        }
        previous_ = y;
        afterMark_ = false;
    }

    ClippedCanvas& pic_;
    const StripGeometry& g_;
    int16_t iDutyCycle_;
    int32_t colour_;
    double previous_;
    bool afterMark_ = false;
};

}  // namespace

void plotData(int16_t iDutyCycle, Canvas& canvas, int16_t iBaud, std::span<const int16_t> Data,
              std::span<const int16_t> compareData, int32_t colour, int16_t iMin, int16_t iMax,
              int zoom) {
    ClippedCanvas pic(canvas);
    pic.Clear();
    pic.SetColour(colour);
    // Without at least one slot across the panel there is no slot width to draw with.
    if (iBaud < 1 || zoom < 1) return;
    const StripGeometry g =
        MeasureStrip(pic.ScaleWidth(), pic.ScaleHeight(), iDutyCycle, iBaud, zoom, iMin, iMax);
    // Elements 0 .. zoom * iBaud, but never past the end of either sequence.
    const int64_t wanted = static_cast<int64_t>(zoom) * iBaud;
    const int64_t available = static_cast<int64_t>(std::min(Data.size(), compareData.size())) - 1;
    const int last = static_cast<int>(std::min(wanted, available));
    StripPainter painter(pic, g, iDutyCycle, colour);
    for (int i = 0; i <= last; ++i)
        painter.Element(i, Data[i], compareData[i]);
}

}  // namespace linelab
