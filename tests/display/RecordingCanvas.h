#pragma once
// A canvas that remembers every line with the colour it was drawn in.

#include <cmath>
#include <cstdint>
#include <vector>

#include "display/Canvas.h"

namespace linelab::test {

struct DrawnLine {
    double x1, y1, x2, y2;
    int32_t colour;
};

class RecordingCanvas : public Canvas {
  public:
    RecordingCanvas(int width, int height, int32_t colour = 0)
        : width_(width), height_(height), colour_(colour) {}

    int ScaleWidth() const override { return width_; }
    int ScaleHeight() const override { return height_; }
    void Clear() override {
        ++clears;
        lines.clear();
    }
    void SetColour(int32_t bgr) override { colour_ = bgr; }
    int32_t Colour() const override { return colour_; }
    void Line(double x1, double y1, double x2, double y2) override {
        lines.push_back({x1, y1, x2, y2, colour_});
    }

    // True when every coordinate drawn is finite and inside [-W, 2W] x [-H, 2H].
    bool AllWithinMargin() const {
        const double w = width_, h = height_;
        auto ok = [](double v, double size) {
            return std::isfinite(v) && v >= -size && v <= 2 * size;
        };
        for (const DrawnLine& l : lines) {
            if (!ok(l.x1, w) || !ok(l.x2, w) || !ok(l.y1, h) || !ok(l.y2, h)) return false;
        }
        return true;
    }

    std::vector<DrawnLine> lines;  // since the last clear
    int clears = 0;

  private:
    int width_;
    int height_;
    int32_t colour_;
};

}  // namespace linelab::test
