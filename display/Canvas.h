#pragma once
// A picture panel as the drawing routines see it: a coordinate scale of 15 units per screen
// pixel, a current drawing colour and lines. The panel keeps what was drawn until cleared.

#include <cstdint>

namespace linelab {

inline constexpr int kUnitsPerPixel = 15;

class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual int ScaleWidth() const = 0;       // drawing width in units
    virtual int ScaleHeight() const = 0;      // drawing height in units
    virtual void Clear() = 0;                 // to the background colour
    virtual void SetColour(int32_t bgr) = 0;  // 24-bit blue-green-red
    virtual int32_t Colour() const = 0;
    // Coordinates reaching a canvas are always finite and within the bounded margin of
    // the drawing routines (see display/Clip.h).
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
};

// A canvas that draws nothing; the batch tool and the benchmarks use it.
class NullCanvas : public Canvas {
  public:
    NullCanvas(int width = 0, int height = 0) : width_(width), height_(height) {}
    int ScaleWidth() const override { return width_; }
    int ScaleHeight() const override { return height_; }
    void Clear() override {}
    void SetColour(int32_t bgr) override { colour_ = bgr; }
    int32_t Colour() const override { return colour_; }
    void Line(double, double, double, double) override {}

  private:
    int width_;
    int height_;
    int32_t colour_ = 0;
};

}  // namespace linelab
