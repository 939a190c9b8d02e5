#include <algorithm>
#include <optional>
#include <vector>

#include "common/Colours.h"
#include "common/TextNumber.h"
#include "display/Clip.h"
#include "display/Plots.h"

namespace linelab {
namespace {

// First and last trace: one symbol after the first quarter of the run to one before the
// last quarter, so every trace has real neighbours on both sides.
constexpr int kFirstTrace = 33;
constexpr int kLastTrace = 95;
// The highest sample a trace may read: its second end reads element 2s + 2, which must stay
// inside the 4096 values of a run whatever the symbol rate.
constexpr int kLastSample = kSignalFloats / 2 - 2;

struct EyeScale {
    double q;   // sample value per unit of height
    double ym;  // mid line
    double r;   // samples per unit of width
    double dBaudRate;

    double Y(double v) const { return ym - v / q; }
};

EyeScale ScaleOf(const EyeView& view, double dScaleFactor) {
    const double W = view.txEyeWidth;
    const double H = view.txEyeHeight;
    const double dBaudRate = UsableBaudRate(view.dBaudRate);
    return {(2 / 0.7) / H * dScaleFactor, H * 0.5, (33 / W) * dBaudRate, dBaudRate};
}

double SamplingX(const EyeScale& e, double wp, int samplingOffset, bool pam4) {
    const double rate = e.dBaudRate;
    double xs = (samplingOffset / 2.0 - rate / 2) / e.r + (wp / 2) / rate;
    // The rates are compared exactly with the values the program itself sets.
    if (rate == 2.0) xs += wp / 4;
    if (pam4 && rate == 0.5) xs -= wp / 2;
    if (pam4 && rate == 1.0) xs += wp / 4;
    if (pam4 && rate == 1.2 / 2) xs -= 5 * wp / 12;
    return xs;
}

// The thresholds' pairs across the panel, then the sampling instant's pair down it, as the
// routine hands them to the clipping canvas.
std::vector<Segment> Markers(const EyeScale& e, const Thresholds& dThreshold, double wp, double hp,
                             int samplingOffset, bool pam4) {
    std::vector<Segment> lines;
    lines.reserve(10);
    for (int t = 0; t <= 3; ++t) {
        const double y = e.Y(dThreshold[t]);
        lines.push_back({0, y - 5, wp, y - 5});
        lines.push_back({0, y + 5, wp, y + 5});
    }
    const double xs = SamplingX(e, wp, samplingOffset, pam4);
    lines.push_back({xs - 5, 0, xs - 5, hp});
    lines.push_back({xs + 5, 0, xs + 5, hp});
    return lines;
}

void DrawTraces(ClippedCanvas& pic, const EyeScale& e, const Signal& dTimeData, int o) {
    const double n = RoundHalfEven(48 * e.dBaudRate + 1);
    for (int k = kFirstTrace; k <= kLastTrace; ++k) {
        const int first = 16 * k + o;
        const int last = static_cast<int>(std::min(n, static_cast<double>(kLastSample - first)));
        double y1 = e.Y(dTimeData[2 * first]);
        for (int j = 0; j <= last; ++j) {
            const double y2 = e.Y(dTimeData[2 * (first + j) + 2]);
            pic.Line((j - 8) / e.r, y1, (j - 7) / e.r, y2);
            y1 = y2;
        }
    }
}

}  // namespace

double EyeHeightFraction(double value, double dScaleFactor) {
    const EyeScale e{(2 / 0.7) * dScaleFactor, 0.5, 1, 1};
    return e.Y(value);
}

void PlotEye(const Signal& dTimeData, Canvas& canvas, double dScaleFactor,
             const Thresholds& dThreshold, bool bShowThreshold, const EyeView& view) {
    // The traces take their scale from the transmit eye panel; without an area there is
    // no scale, and nothing is drawn.
    if (view.txEyeWidth <= 0 || view.txEyeHeight <= 0) return;
    ClippedCanvas pic(canvas);
    const EyeScale e = ScaleOf(view, dScaleFactor);
    // Four-level runs start their traces half a slot later.
    const int o = view.pam4 ? 16 : 8;
    if (bShowThreshold) {
        pic.SetColour(kGreen);
        for (const Segment& l : Markers(e, dThreshold, pic.ScaleWidth(), pic.ScaleHeight(),
                                        view.samplingOffset, view.pam4))
            pic.Line(l.x1, l.y1, l.x2, l.y2);
        pic.SetColour(kBlue);
    }
    DrawTraces(pic, e, dTimeData, o);
}

std::vector<Segment> EyeMarkerLines(const EyeView& view, double dScaleFactor,
                                    const Thresholds& dThreshold, int panelWidth, int panelHeight) {
    if (view.txEyeWidth <= 0 || view.txEyeHeight <= 0) return {};
    const Margin margin = MarginAround(panelWidth, panelHeight);
    std::vector<Segment> lines;
    for (Segment l : Markers(ScaleOf(view, dScaleFactor), dThreshold, panelWidth, panelHeight,
                             view.samplingOffset, view.pam4))
        if (ClipLine(l, margin)) lines.push_back(l);
    return lines;
}

std::optional<double> EyeSamplingX(const EyeView& view, int panelWidth) {
    if (view.txEyeWidth <= 0 || view.txEyeHeight <= 0) return std::nullopt;
    return SamplingX(ScaleOf(view, 1.0), panelWidth, view.samplingOffset, view.pam4);
}

}  // namespace linelab
