#include "ui/PanelFrames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "common/Signal.h"
#include "display/Plots.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

constexpr std::array<std::string_view, 8> kStripNames = {
    "Data",    "Pre-coded",    "Coded",        "Sent levels", "Received levels",
    "Decoded", "Post-decoded", "Received data"};
constexpr std::array<std::string_view, 3> kStages = {"Transmitter", "Channel", "Receiver"};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The panel shows about two data-bit periods: 33 samples per data bit, 16 per symbol.
double SymbolsAcross(double dBaudRate) {
    return 33.0 * UsableBaudRate(dBaudRate) / 16.0;
}

// A linear axis from where `fraction` (0 at the top, 1 at the bottom) puts its values.
template <typename Fraction>
ValueAxisData AxisOf(Fraction fraction, std::string_view unit) {
    const double f0 = fraction(0.0);
    const double f1 = fraction(1.0);
    ValueAxisData axis;
    if (!(std::isfinite(f0) && std::isfinite(f1)) || f1 == f0) return axis;
    axis.top = -f0 / (f1 - f0);
    axis.bottom = (1 - f0) / (f1 - f0);
    axis.unit = std::string(unit);
    return axis;
}

}  // namespace

std::string_view StageName(int side) {
    return side >= 0 && side < 3 ? kStages[static_cast<std::size_t>(side)] : std::string_view();
}

std::string_view StripTitle(PictureId strip) {
    const auto i = static_cast<std::size_t>(strip);
    return i < kStripNames.size() ? kStripNames[i] : std::string_view();
}

std::string SwitchText(CheckId id) {
    const int i = static_cast<int>(id);
    if (i < static_cast<int>(kStripNames.size()))
        return "Show the " + Lower(kStripNames[static_cast<std::size_t>(i)]) + " strip";
    if (id >= CheckId::chkTxEye && id <= CheckId::chkRxEye)
        return "Show the " + Lower(StageName(i - static_cast<int>(CheckId::chkTxEye))) + " eye";
    if (id >= CheckId::chkTxSpectrum && id <= CheckId::chkRxSpectrum)
        return "Show the " + Lower(StageName(i - static_cast<int>(CheckId::chkTxSpectrum))) +
               " spectrum";
    return {};
}

PanelFrame PanelFrameOf(const Form1& form, PictureId id) {
    PanelFrame frame;
    const int i = static_cast<int>(id);
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const bool isLinear = linear.visible && linear.value == 1;
    if (id >= PictureId::picTxEye && id <= PictureId::picRxEye) {
        frame.title = std::string(StageName(i - static_cast<int>(PictureId::picTxEye))) + " eye";
    } else if (id >= PictureId::picTxSpectrum && id <= PictureId::picRxSpectrum) {
        frame.title = std::string(StageName(i - static_cast<int>(PictureId::picTxSpectrum))) +
                      (isLinear ? " spectrum, linear" : " spectrum, dB");
    } else {
        frame.sideLabel = std::string(StripTitle(id));
    }
    // Each panel's check box has the panel's own position among the check boxes.
    if (form.Check(static_cast<CheckId>(i)).value == 0) frame.offHint = std::string(kOffHintText);
    return frame;
}

PanelAxes PanelAxesOf(const Form1& form, PictureId id) {
    PanelAxes axes;
    const int i = static_cast<int>(id);
    const RunState& state = form.State();
    if (id >= PictureId::picTxEye && id <= PictureId::picRxEye) {
        const int side = i - static_cast<int>(PictureId::picTxEye);
        axes.symbolsAcross = SymbolsAcross(state.dBaudRate);
        // The receiver's eye is drawn at a fixed scale with its thresholds; the others at the
        // transmit eye's scale slider's.
        const double scale = side == 2 ? std::sqrt(2.0) : state.dTxEyeScale;
        if (scale > 0)
            axes.values = AxisOf([scale](double v) { return EyeHeightFraction(v, scale); }, "");
        if (side == 2) {
            std::vector<double>& marks = axes.values.marks;
            marks.assign(state.dThresholds.begin(), state.dThresholds.begin() + 4);
            std::sort(marks.begin(), marks.end());
            marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
        }
        return axes;
    }
    if (id >= PictureId::picTxSpectrum && id <= PictureId::picRxSpectrum) {
        const CheckControl& linear = form.Check(CheckId::chkLinear);
        const bool isLinear = linear.visible && linear.value == 1;
        const SpectrumView view{isLinear, form.Slider(SliderId::vscSpectrumRange).value};
        axes.values = AxisOf([&view](double v) { return SpectrumHeightFraction(v, view); },
                             isLinear ? "" : "dB");
        axes.frequencyNumbers = !form.Label(LabelId::lblFreq0).visible;
        return axes;
    }
    // The lowest strip shown of each group (sent, received) carries the time axis: a strip
    // shows zoom times its own symbols across, counted in its own symbol periods.
    const bool sent = id <= PictureId::picModData;
    const int first = static_cast<int>(sent ? PictureId::picData : PictureId::picDemodData);
    const int last = static_cast<int>(sent ? PictureId::picModData : PictureId::picRxData);
    int lowest = -1;
    for (int k = first; k <= last; ++k) {
        if (form.Visible(ControlRef(static_cast<PictureId>(k)))) lowest = k;
    }
    const int baud = form.Strips().strips[static_cast<std::size_t>(i)].iBaud;
    const int zoom = std::max(1, form.Slider(SliderId::hscDataZoom).value);
    if (i == lowest && baud > 0) axes.symbolsAcross = double(baud) * zoom;
    return axes;
}

}  // namespace linelab
