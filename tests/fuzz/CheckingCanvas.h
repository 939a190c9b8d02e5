#pragma once
// A canvas that checks every line it is handed instead of drawing it: both ends finite and
// inside the bounded margin around the panel (x in [-W, 2W], y in [-H, 2H]), no line at
// all on a panel without area, and every colour a 24-bit value. It keeps counts, not the
// lines, so it can stay attached for millions of runs.

#include <cstdint>
#include <string>

#include "display/Canvas.h"

namespace linelab::fuzz {

class CheckingCanvas : public Canvas {
  public:
    CheckingCanvas(int width, int height) : width_(width), height_(height) {}

    int ScaleWidth() const override { return width_; }
    int ScaleHeight() const override { return height_; }
    void Clear() override { ++clears_; }
    void SetColour(int32_t bgr) override;
    int32_t Colour() const override { return colour_; }
    void Line(double x1, double y1, double x2, double y2) override;

    // The first fault seen, empty while there is none.
    const std::string& Fault() const { return fault_; }
    long long Lines() const { return lines_; }
    long long Clears() const { return clears_; }

  private:
    void Record(std::string what);

    int width_;
    int height_;
    int32_t colour_ = 0;
    long long lines_ = 0;
    long long clears_ = 0;
    std::string fault_;
};

}  // namespace linelab::fuzz
