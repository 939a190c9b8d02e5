#pragma once
// The three drawing routines of the panels: waveform strips, eye diagrams, spectra.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/RunState.h"
#include "display/Canvas.h"
#include "display/Clip.h"

namespace linelab {

// Points across a spectrum panel, 0 to 4 kHz: what the plot draws and the average keeps.
inline constexpr int kPlotPoints = 512;

// Draws one strip: clears the panel, then elements 0 .. zoom * iBaud; elements that differ
// from compareData are red, the invalid-group mark 13 is a red cross.
void plotData(int16_t iDutyCycle, Canvas& canvas, int16_t iBaud, std::span<const int16_t> Data,
              std::span<const int16_t> compareData, int32_t colour, int16_t iMin, int16_t iMax,
              int zoom);

// What an eye diagram reads besides its arguments.
struct EyeView {
    int txEyeWidth = 0;      // W: the transmit eye panel's scale width (traces always use it)
    int txEyeHeight = 0;     // H: the transmit eye panel's scale height
    int samplingOffset = 0;  // the sampling instant, half-samples, -32..32
    bool pam4 = false;       // the transmit format is the four-level one
    double dBaudRate = 1.0;
};

// Adds 63 traces to the eye (never clears); with bShowThreshold also the four thresholds
// and the sampling instant in green, and the traces in blue.
void PlotEye(const Signal& dTimeData, Canvas& canvas, double dScaleFactor,
             const Thresholds& dThreshold, bool bShowThreshold, const EyeView& view);

// Where PlotEye puts the sampling instant across a panel `panelWidth` units wide (the middle
// of its pair of marker lines), in the panel's units; none without a transmit eye area.
std::optional<double> EyeSamplingX(const EyeView& view, int panelWidth);

// The markers PlotEye draws in green with bShowThreshold on a panel `panelWidth` by
// `panelHeight` units, as they reach the canvas (clipped): a pair of lines along each of
// the four thresholds, then the pair around the sampling instant. A view paints them over
// whatever it shows on the panel. None without a transmit eye area.
std::vector<Segment> EyeMarkerLines(const EyeView& view, double dScaleFactor,
                                    const Thresholds& dThreshold, int panelWidth, int panelHeight);

// Where PlotEye draws a sample value, as a fraction of the transmit eye panel's height from
// its top edge (0) to its bottom edge (1): what a view labels its amplitude axis with.
double EyeHeightFraction(double value, double dScaleFactor);

// What a spectrum plot reads besides its arguments.
struct SpectrumView {
    bool linear = false;  // a linear power scale rather than decibels
    int range = 1;        // the spectrum's range setting, 1..200
};

// Where PlotSpectrum draws a value (decibels, or the power itself when linear), as a
// fraction of the panel's height from its top edge (0) to its bottom edge (1).
double SpectrumHeightFraction(double value, const SpectrumView& view);

// Clears the panel, draws the stored memory trace (if any) in dark green and the running
// average as a two-pixel black trace. The average is updated by the tick, not here.
void PlotSpectrum(const SpectrumAverage& dFreqSpectrum, const SpectrumAverage* dMemorySpectrum,
                  Canvas& canvas, int32_t lColour, const SpectrumView& view);

// The strips' largest scroll position for a zoom value: 49, 37, 25 or 13 for zoom 1..4.
int ScrollMaximum(int zoom);

}  // namespace linelab
