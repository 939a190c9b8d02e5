#include "ui/Readouts.h"

#include <cmath>
#include <cstdio>

#include "analysis/BerCountText.h"
#include "analysis/SignalToNoise.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/Measurements.h"

namespace linelab {
namespace {

std::string Printed(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

bool Shows(const ReadoutSource& source, ControlRef control) {
    return source.form.Visible(control);
}

std::string EbN0TextOf(const std::optional<SignalToNoise>& ratio) {
    if (!ratio) return "no noise";
    return Printed("Eb/N0 %.1f dB", ratio->dEbN0dB);
}

// The tooltip beside it: both ratios with two decimals, or why there are none.
std::string DetailOf(const std::optional<SignalToNoise>& ratio) {
    if (!ratio) return "No noise is added: choose a noise level to see Eb/N0";
    return Printed(
        "Eb/N0 %.2f dB, Es/N0 %.2f dB: energy per data bit and per symbol at the "
        "transmit filter's output, over the density of the noise the receiver adds",
        ratio->dEbN0dB, ratio->dEsN0dB);
}

// The text and its tooltip from one reading of the settings.
ReadoutText EbN0Readout(const ReadoutSource& source) {
    const std::optional<SignalToNoise> ratio = SignalToNoiseOf(LinkConfigOf(source.form));
    return {Shows(source, ControlRef(ListId::cmbNoise)), EbN0TextOf(ratio), DetailOf(ratio)};
}

// On two lines, so that a long count never widens the Output column past the width a
// 1024-pixel projector leaves it.
ReadoutText BerCountReadout(const ReadoutSource& source) {
    const BerCounts& counts = source.measurements.Counts();
    std::string text = BerCountLine(counts.Errors(), counts.Bits(), counts.Interval());
    if (const auto comma = text.find(", "); comma != std::string::npos)
        text.replace(comma, 2, ",\n");
    return {Shows(source, ControlRef(LabelId::lblBER)), std::move(text),
            "Data bits received wrongly and compared since the rate last restarted, and the "
            "95 % interval of the rate"};
}

ReadoutText EyeOpeningReadout(const ReadoutSource& source) {
    ReadoutText shown{source.eyeOpening && Shows(source, ControlRef(PictureId::picRxEye)),
                      {},
                      "The receive eye's opening measured from its samples since it was last "
                      "cleared"};
    if (shown.shown)
        shown.text = EyeOpeningText(source.measurements.RxEyeFigures(),
                                    SignalToNoiseOf(LinkConfigOf(source.form)).has_value());
    return shown;
}

constexpr Readout kReadouts[] = {
    {"lblEbN0", "cmbNoise", ReadoutLook::Line, "Eb/N0 -88.8 dB", EbN0Readout},
    {"lblBERCount", "lblBER", ReadoutLook::Count, {}, BerCountReadout},
    {"lblEyeOpening", "lblBER", ReadoutLook::Figures, {}, EyeOpeningReadout},
};

}  // namespace

std::span<const Readout> Readouts() {
    return kReadouts;
}

std::string EbN0Text(const Form1& form) {
    return EbN0TextOf(SignalToNoiseOf(LinkConfigOf(form)));
}

std::string EyeOpeningText(const EyeFigures& figures, bool noise) {
    if (figures.gaps.empty()) return "Eye opening: waiting for two levels";
    std::string text = "Eye opening";
    for (std::size_t g = 0; g < figures.gaps.size(); ++g) {
        const EyeGapFigures& gap = figures.gaps[g];
        text += Printed("\ngap %.0f: height %.3g, width %.2f T", static_cast<double>(g + 1),
                        gap.dHeight, gap.dWidth);
        if (noise) text += Printed(", Q %.3g", gap.dQ);
    }
    if (!noise) return text + "\nno noise: predicts no error";
    if (std::isinf(figures.dQ)) return text + "\nno spread: predicts no error";
    return text + Printed("\nQ %.3g predicts BER %.2g", figures.dQ, figures.dPredictedBer);
}

}  // namespace linelab
