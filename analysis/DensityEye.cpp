#include "analysis/DensityEye.h"

#include <algorithm>
#include <cmath>

namespace linelab {
namespace {

// Clips the segment to [0, w] x [0, h] (Liang-Barsky); false when nothing is left. Works on
// any finite or infinite input without overflow: the result lies inside the box.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double w, double h) {
    double t0 = 0;
    double t1 = 1;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1, w - x1, y1, h - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (!(q[i] >= 0)) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
    }
    if (!(t0 <= t1)) return false;
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

struct Oklab {
    double L, a, b;
};

double Encode(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// OKLab to gamma-encoded sRGB (Ottosson's published matrices), clamped into the gamut.
uint32_t ToRgb(Oklab c) {
    const double l = std::pow(c.L + 0.3963377774 * c.a + 0.2158037573 * c.b, 3);
    const double m = std::pow(c.L - 0.1055613458 * c.a - 0.0638541728 * c.b, 3);
    const double s = std::pow(c.L - 0.0894841775 * c.a - 1.2914855480 * c.b, 3);
    const double r = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
    const double g = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
    const double b = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(Encode(v) * 255)); };
    return 0xFF000000u | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

// Position t in [0, 1] of the ramp: lightness rises linearly; the hue turns from violet
// through red to yellow; the colourfulness peaks in the middle and fades at both ends,
// where the gamut is narrow.
uint32_t Ramp(double t) {
    const double pi = 3.14159265358979323846;
    const double L = 0.25 + 0.70 * t;
    const double chroma = 0.04 + 0.11 * std::sin(pi * t);
    const double hue = (300.0 + 170.0 * t) * pi / 180.0;
    return ToRgb({L, chroma * std::cos(hue), chroma * std::sin(hue)});
}

}  // namespace

DensityEye::DensityEye(int width, int height) {
    Resize(width, height);
}

void DensityEye::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    counts_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    maxCount_ = 0;
}

void DensityEye::Clear() {
    std::fill(counts_.begin(), counts_.end(), 0);
    maxCount_ = 0;
}

void DensityEye::Hit(int x, int y) {
    uint32_t& count = counts_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                              static_cast<std::size_t>(x)];
    if (count < UINT32_MAX) ++count;
    maxCount_ = std::max(maxCount_, count);
}

void DensityEye::Line(double x1, double y1, double x2, double y2) {
    if (width_ == 0 || height_ == 0) return;
    const double unit = kUnitsPerPixel;
    double ax = x1 / unit, ay = y1 / unit, bx = x2 / unit, by = y2 / unit;
    const double startX = ax, startY = ay;
    if (!ClipSegment(ax, ay, bx, by, width_, height_)) return;
    // One point per pixel step along the longer axis; the clipped segment is at most the
    // grid's diagonal long, so the loop is bounded by the grid's size.
    const int steps = static_cast<int>(std::ceil(std::max(std::abs(bx - ax), std::abs(by - ay))));
    const bool startsInside = ax == startX && ay == startY;
    int lastX = -1, lastY = -1;
    if (startsInside) {  // the first end belongs to the previous segment of the trace
        lastX = std::min(static_cast<int>(ax), width_ - 1);
        lastY = std::min(static_cast<int>(ay), height_ - 1);
    }
    for (int i = 0; i <= steps; ++i) {
        const double t = steps > 0 ? static_cast<double>(i) / steps : 0.0;
        const int x = std::min(static_cast<int>(ax + t * (bx - ax)), width_ - 1);
        const int y = std::min(static_cast<int>(ay + t * (by - ay)), height_ - 1);
        if (x == lastX && y == lastY) continue;
        Hit(x, y);
        lastX = x;
        lastY = y;
    }
}

uint32_t DensityColour(uint32_t count, uint32_t maxCount, uint32_t background) {
    if (count == 0) return background;
    maxCount = std::max(maxCount, count);
    const double t = maxCount > 1 ? std::log1p(static_cast<double>(count) - 1) /
                                        std::log(static_cast<double>(maxCount))
                                  : 1.0;
    return Ramp(std::clamp(t, 0.0, 1.0));
}

void DensityImage(const DensityEye& eye, std::span<uint32_t> out, uint32_t background) {
    const std::span<const uint32_t> counts = eye.Counts();
    if (out.size() != counts.size()) return;
    // The ramp in 1024 steps, indexed by position on the log scale: one logarithm per
    // pixel instead of a colour-space conversion.
    constexpr int kSteps = 1024;
    uint32_t table[kSteps];
    for (int i = 0; i < kSteps; ++i)
        table[i] = Ramp(static_cast<double>(i) / (kSteps - 1));
    const uint32_t maxCount = eye.MaxCount();
    const double scale = maxCount > 1 ? (kSteps - 1) / std::log(static_cast<double>(maxCount)) : 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const uint32_t c = counts[i];
        if (c == 0) {
            out[i] = background;
            continue;
        }
        const double position =
            maxCount > 1 ? std::log(static_cast<double>(c)) * scale : kSteps - 1;
        out[i] = table[std::clamp(static_cast<int>(position + 0.5), 0, kSteps - 1)];
    }
}

}  // namespace linelab
