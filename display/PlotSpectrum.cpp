#include <algorithm>
#include <cmath>

#include "common/TextNumber.h"
#include "display/Clip.h"
#include "display/Plots.h"
#include "ports/Host.h"

namespace linelab {
namespace {

constexpr int kPlotPoints = 512;     // points across the panel, 0 to 4 kHz
constexpr int kStoredPoints = 1024;  // elements a memory copy takes
constexpr double kLastElement = kSignalFloats - 1;

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

SpectrumScale MeasureSpectrum(const ClippedCanvas& pic, const SpectrumView& view) {
    SpectrumScale s{};
    s.W = pic.ScaleWidth();
    s.H = pic.ScaleHeight();
    s.linear = view.linear;
    s.q = view.linear ? 128.0 * 128.0 / 0.8 / s.H : 50 / 0.8 / s.H;
    // The range slider runs from 1 to 200; a value beyond would divide by zero or turn the
    // plot upside down, so it is held to that range.
    const int range = std::clamp(view.range, 1, 200);
    s.q = s.q / (201 - range) * 50;
    return s;
}

// The stored copy is the average as it stood before this run is added.
void UpdateMemory(const SpectrumView& view, const SpectrumAverage& average, MemoryTrace memory) {
    if (view.memoryVisible && !view.memoryChecked) memory.bMemoryStored = false;
    if (view.memoryVisible && !memory.bMemoryStored && view.memoryChecked) {
        std::copy_n(average.begin(), kStoredPoints, memory.dMemorySpectrum.begin());
        memory.bMemoryStored = true;
    } else if (!view.memoryVisible) {
        memory.bMemoryStored = false;
    }
}

// Adds this run's power to the running mean. Point i stands for the same frequency at
// every rate and takes the two run elements a and b around it: at rate 1.0 (and its
// halves) they are the real and imaginary part of one bin; at other rates they may belong
// to neighbouring bins, which still gives the power near that frequency.
void Accumulate(const Signal& dFreqData, SpectrumAverage& average, int32_t& count,
                double dBaudRate) {
    // A negative count cannot come from counting; it restarts the mean like 0 does.
    const int32_t n = NextCount(std::max(count, int32_t{0}));
    count = n;
    const double previousWeight = static_cast<double>(n) - 1;
    for (int i = 0; i < kPlotPoints; ++i) {
        // Held inside the run's 4096 values for any positive rate.
        const double a = std::min(RoundHalfEven(2 * i / dBaudRate), kLastElement);
        const double b = std::min(RoundHalfEven(2 * i / dBaudRate + 1), kLastElement);
        const double p = std::pow(dFreqData[static_cast<int>(a)], 2) +
                         std::pow(dFreqData[static_cast<int>(b)], 2);
        average[i] = (previousWeight * average[i] + p) / n;
    }
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

void PlotSpectrum(const Signal& dFreqData, SpectrumAverage& dFreqSpectrum, int32_t& iSpectrums,
                  Canvas& picPic, int32_t /*lColour: the live trace is always black*/,
                  const SpectrumView& view, MemoryTrace memory) {
    ClippedCanvas pic(picPic);
    pic.Clear();
    const SpectrumScale scale = MeasureSpectrum(pic, view);
    UpdateMemory(view, dFreqSpectrum, memory);
    if (memory.bMemoryStored) {
        pic.SetColour(kDarkGreen);
        DrawTrace(pic, scale, memory.dMemorySpectrum, false);
    }
    Accumulate(dFreqData, dFreqSpectrum, iSpectrums, UsableBaudRate(view.dBaudRate));
    pic.SetColour(kBlack);
    DrawTrace(pic, scale, dFreqSpectrum, true);
}

}  // namespace linelab
