#include "ui/PanelFrames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "common/Signal.h"
#include "display/Plots.h"
#include "ui/Form1.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

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
    const PanelDescriptor* panel = DescriptorOf(strip);
    return panel != nullptr ? panel->title : std::string_view();
}

namespace {

std::string_view StageOf(const PanelDescriptor& panel) {
    return StageName(static_cast<int>(panel.stage));
}

}  // namespace

std::string SwitchText(CheckId id) {
    const PanelDescriptor* panel = DescriptorOf(id);
    return panel != nullptr ? SwitchText(*panel) : std::string();
}

std::string SwitchText(const PanelDescriptor& panel) {
    switch (panel.kind) {
        case PanelKind::Strip:
            return "Show the " + Lower(panel.title) + " strip";
        case PanelKind::Eye:
            return "Show the " + Lower(StageOf(panel)) + " eye";
        case PanelKind::Spectrum:
            return "Show the " + Lower(StageOf(panel)) + " spectrum";
    }
    return {};
}

PanelFrame PanelFrameOf(const Form1& form, PictureId id) {
    PanelFrame frame;
    const PanelDescriptor* panel = DescriptorOf(id);
    if (panel == nullptr) return frame;
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const bool isLinear = linear.visible && linear.value == 1;
    switch (panel->kind) {
        case PanelKind::Eye:
            frame.title = std::string(StageOf(*panel)) + " eye";
            break;
        case PanelKind::Spectrum:
            frame.title =
                std::string(StageOf(*panel)) + (isLinear ? " spectrum, linear" : " spectrum, dB");
            break;
        case PanelKind::Strip:
            frame.sideLabel = std::string(panel->title);
            break;
    }
    if (form.Check(panel->check).value == 0) frame.offHint = std::string(kOffHintText);
    return frame;
}

namespace {

PanelAxes EyeAxes(const RunState& state, double dTxEyeScale, const PanelDescriptor& panel) {
    PanelAxes axes;
    axes.symbolsAcross = SymbolsAcross(state.dBaudRate);
    // The receiver's eye is drawn at a fixed scale with its thresholds; the others at the
    // transmit eye's scale slider's.
    const bool receiver = panel.stage == PanelStage::Receiver;
    const double scale = receiver ? std::sqrt(2.0) : dTxEyeScale;
    if (scale > 0)
        axes.values = AxisOf([scale](double v) { return EyeHeightFraction(v, scale); }, "");
    if (receiver) {
        std::vector<double>& marks = axes.values.marks;
        marks.assign(state.dThresholds.begin(), state.dThresholds.begin() + 4);
        std::sort(marks.begin(), marks.end());
        marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
    }
    return axes;
}

PanelAxes SpectrumAxes(const Form1& form) {
    PanelAxes axes;
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const bool isLinear = linear.visible && linear.value == 1;
    const SpectrumView view{isLinear, form.Slider(SliderId::vscSpectrumRange).value};
    axes.values =
        AxisOf([&view](double v) { return SpectrumHeightFraction(v, view); }, isLinear ? "" : "dB");
    axes.frequencyNumbers = !form.Label(LabelId::lblFreq0).visible;
    return axes;
}

// The lowest strip shown of each group (sent, received) carries the time axis: a strip shows
// zoom times its own symbols across, counted in its own symbol periods.
PanelAxes StripAxes(const Form1& form, const PanelDescriptor& panel) {
    PanelAxes axes;
    const PanelDescriptor* lowest = nullptr;
    for (const PanelDescriptor& other : kPanelTable) {
        if (other.kind == PanelKind::Strip && other.stage == panel.stage &&
            form.Visible(ControlRef(other.picture)))
            lowest = &other;
    }
    const int baud = form.Strips().strips[static_cast<std::size_t>(panel.panel)].iBaud;
    const int zoom = std::max(1, form.Slider(SliderId::hscDataZoom).value);
    if (lowest == &panel && baud > 0) axes.symbolsAcross = double(baud) * zoom;
    return axes;
}

}  // namespace

PanelAxes PanelAxesOf(const Form1& form, PictureId id) {
    const PanelDescriptor* panel = DescriptorOf(id);
    if (panel == nullptr) return {};
    switch (panel->kind) {
        case PanelKind::Eye:
            return EyeAxes(form.State(), form.Views().dTxEyeScale, *panel);
        case PanelKind::Spectrum:
            return SpectrumAxes(form);
        case PanelKind::Strip:
            break;
    }
    return StripAxes(form, *panel);
}

}  // namespace linelab
