#pragma once
// The density eye: how often traces pass each pixel, not only whether one ever did. It is a
// canvas, so the eye routine draws into it exactly as into a panel (same traces, same
// scale); every line drawn adds one hit to each pixel it crosses. Draw the traces only
// (no threshold or sampling lines: those are painted on top as an overlay).

#include <cstdint>
#include <span>
#include <vector>

#include "display/Canvas.h"

namespace linelab {

class DensityEye : public Canvas {
  public:
    // A grid of width x height pixels (negative sizes count as 0); starts empty.
    DensityEye(int width = 0, int height = 0);

    // Resizing empties the grid: the hits of one size mean nothing at another.
    void Resize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Hits per pixel, row by row from the top; counts stop at the 32-bit maximum.
    std::span<const uint32_t> Counts() const { return counts_; }
    uint32_t MaxCount() const { return maxCount_; }

    int ScaleWidth() const override { return width_ * kUnitsPerPixel; }
    int ScaleHeight() const override { return height_ * kUnitsPerPixel; }
    void Clear() override;
    void SetColour(int32_t bgr) override { colour_ = bgr; }
    int32_t Colour() const override { return colour_; }
    // A line in panel units; its first end is not counted, so a trace made of many segments
    // counts each pixel where two segments meet once.
    void Line(double x1, double y1, double x2, double y2) override;

  private:
    void Hit(int x, int y);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> counts_;
    uint32_t maxCount_ = 0;
    int32_t colour_ = 0;
};

// The colour of a count on a logarithmic scale up to maxCount, as 0xFFRRGGBB: from a dark
// violet for a single hit through red and orange to a pale yellow for the most frequent
// pixel, with lightness rising evenly (the ramp is laid out in a perceptually uniform colour
// space), so equal steps of log(count) look like equal steps of brightness. A count of 0
// gives the background.
uint32_t DensityColour(uint32_t count, uint32_t maxCount, uint32_t background = 0xFFFFFFFF);

// The whole grid through DensityColour, row by row; out must hold width x height pixels
// (nothing is written otherwise).
void DensityImage(const DensityEye& eye, std::span<uint32_t> out, uint32_t background = 0xFFFFFFFF);

}  // namespace linelab
