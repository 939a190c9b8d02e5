#include <algorithm>
#include <cmath>

#include "common/Colours.h"
#include "display/Clip.h"
#include "display/Plots.h"

namespace linelab {
namespace {

struct SpectrumScale {
    double W;
    double H;
    double q;  // power (or decibels) per unit of height
    bool linear;

    double X(int i) const { return i * W / kPlotPoints; }
    // Decibels put no power at all on the bottom edge rather than at minus infinity.
    double Y(double p) const {
        if (linear) return H - p / q;
        return p > 0 ? H - 10 * std::log10(p) / q : H;
    }
};

SpectrumScale MeasureSpectrum(double W, double H, const SpectrumView& view) {
    SpectrumScale s{};
    s.W = W;
    s.H = H;
    s.linear = view.linear;
    s.q = view.linear ? 128.0 * 128.0 / 0.8 / s.H : 50 / 0.8 / s.H;
    // The range slider runs from 1 to 200; a value beyond would divide by zero or turn the
    // plot upside down, so it is held to that range.
    const int range = std::clamp(view.range, 1, 200);
    s.q = s.q / (201 - range) * 50;
    return s;
}

void DrawTrace(ClippedCanvas& pic, const SpectrumScale& s, const SpectrumAverage& values,
               bool twoPixels) {
    double px = 0;
    double py = s.H;
    for (int i = 0; i < kPlotPoints; ++i) {
        const double x = s.X(i);
        const double y = s.Y(values[i]);
        pic.Line(px, py, x, y);
        if (twoPixels) pic.Line(px, py + kUnitsPerPixel, x, y + kUnitsPerPixel);
        px = x;
        py = y;
    }
}

}  // namespace

double SpectrumHeightFraction(double value, const SpectrumView& view) {
    const SpectrumScale s = MeasureSpectrum(1, 1, view);
    return s.H - value / s.q;  // decibels go in as they are: the scale is the same line
}

void PlotSpectrum(const SpectrumAverage& dFreqSpectrum, const SpectrumAverage* dMemorySpectrum,
                  Canvas& canvas, int32_t /*lColour: the live trace is always black*/,
                  const SpectrumView& view) {
    ClippedCanvas pic(canvas);
    pic.Clear();
    const SpectrumScale scale = MeasureSpectrum(pic.ScaleWidth(), pic.ScaleHeight(), view);
    if (dMemorySpectrum != nullptr) {
        pic.SetColour(kDarkGreen);
        DrawTrace(pic, scale, *dMemorySpectrum, false);
    }
    pic.SetColour(kBlack);
    DrawTrace(pic, scale, dFreqSpectrum, true);
}

}  // namespace linelab
