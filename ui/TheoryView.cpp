#include "ui/TheoryView.h"

#include <algorithm>
#include <cmath>

#include "display/Plots.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {

std::optional<SpectrumPanel> TheoryPanel(const Form1& form) {
    for (const SpectrumPanel panel : {SpectrumPanel::Tx, SpectrumPanel::Channel}) {
        if (form.Visible(ControlRef(Describe(panel).picture))) return panel;
    }
    return std::nullopt;
}

std::string TheoryHint(const Form1& form) {
    const auto panel = TheoryPanel(form);
    if (!panel) return "Theory: this scene shows no spectrum; Tx Filter and the scenes after it do";
    if (form.Check(Describe(*panel).check).value == 0) {
        return std::string("Theory: tick the box of the ") +
               (*panel == SpectrumPanel::Tx ? "transmitter" : "channel") + " spectrum to see it";
    }
    return {};
}

std::string TheoryLabel(const Form1& form, SpectrumPanel panel, bool known) {
    if (!known) return "theory: none for these settings";
    // Over the channel spectrum the curve is the transmitter's output: a high pass set in the
    // channel takes the lowest frequencies out of the trace, not out of the curve.
    if (panel != SpectrumPanel::Channel) return "theory";
    return form.List(ListId::cmbHighPass).text == "None"
               ? "theory (transmitter)"
               : "theory (transmitter, before the high pass)";
}

std::vector<double> TheoryHeights(const Form1& form, const SpectrumAverage& curve) {
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const SpectrumView view{linear.visible && linear.value == 1,
                            form.Slider(SliderId::vscSpectrumRange).value};
    std::vector<double> heights;
    heights.reserve(kPlotPoints);
    for (int i = 0; i < kPlotPoints; ++i) {
        const double p = curve[static_cast<std::size_t>(i)];
        const double fraction =
            view.linear ? SpectrumHeightFraction(p, view)
                        : (p > 0 ? SpectrumHeightFraction(10 * std::log10(p), view) : 1.0);
        heights.push_back(std::clamp(fraction, -1.0, 2.0));
    }
    return heights;
}

const std::optional<SpectrumAverage>& TheoryCurve::Of(const Form1& form) {
    const RunState& state = form.State();
    const LineSpectrumSettings settings = TransmitSettingsOf(LinkConfigOf(form));
    const Signal& response = state.responses.dTxResponse;
    if (!cached_ || !(settings == settings_) || state.dBaudRate != rate_ || response != response_) {
        settings_ = settings;
        rate_ = state.dBaudRate;
        response_ = response;
        curve_ = ExpectedTransmitSpectrum(settings, response, rate_);
        cached_ = true;
    }
    return curve_;
}

}  // namespace linelab
