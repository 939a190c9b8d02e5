#include "app/qt/PanelFrames.h"

#include <array>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "app/qt/PicturePanel.h"
#include "common/Signal.h"
#include "display/Plots.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"

namespace linelab {
namespace {

// The panel shows about two data-bit periods: 33 samples per data bit, 16 per symbol.
double SymbolsAcross(double dBaudRate) {
    return 33.0 * UsableBaudRate(dBaudRate) / 16.0;
}

// A linear axis from where `fraction` (0 at the top, 1 at the bottom) puts its values.
template <typename Fraction>
PicturePanel::ValueAxis AxisOf(Fraction fraction, const QString& unit) {
    const double f0 = fraction(0.0);
    const double f1 = fraction(1.0);
    PicturePanel::ValueAxis axis;
    if (!(std::isfinite(f0) && std::isfinite(f1)) || f1 == f0) return axis;
    axis.top = -f0 / (f1 - f0);
    axis.bottom = (1 - f0) / (f1 - f0);
    axis.unit = unit;
    return axis;
}

}  // namespace

QString StripName(PictureId strip) {
    return QString::fromStdString(std::string(StripTitle(strip)));
}

QString SwitchName(CheckId id) {
    return QString::fromStdString(SwitchText(id));
}

void UpdatePanelFrames(const Form1& form, const ControlWidgets& w) {
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const bool isLinear = linear.visible && linear.value == 1;
    const bool ownLabels = form.Label(LabelId::lblFreq0).visible;
    const double across = SymbolsAcross(form.State().dBaudRate);
    const RunState& state = form.State();
    const SpectrumView view{isLinear, form.Slider(SliderId::vscSpectrumRange).value};
    const auto spectrumAxis = AxisOf([&view](double v) { return SpectrumHeightFraction(v, view); },
                                     isLinear ? QString() : QStringLiteral("dB"));
    for (int side = 0; side < 3; ++side) {
        const auto eyeId = Element(PictureId::picTxEye, side);
        const auto spectrumId = Element(PictureId::picTxSpectrum, side);
        PicturePanel* eye = w.Picture(eyeId);
        eye->SetTitle(QString::fromStdString(PanelFrameOf(form, eyeId).title));
        eye->SetSymbolAxis(across, w.Picture(PictureId::picTxEye));
        // The receiver's eye is drawn at a fixed scale with its thresholds; the others at the
        // transmit eye's scale slider's.
        const double scale = side == 2 ? std::sqrt(2.0) : state.dTxEyeScale;
        PicturePanel::ValueAxis values =
            scale > 0 ? AxisOf([scale](double v) { return EyeHeightFraction(v, scale); }, QString())
                      : PicturePanel::ValueAxis{};
        if (side == 2) {
            values.marks.assign(state.dThresholds.begin(), state.dThresholds.begin() + 4);
            std::sort(values.marks.begin(), values.marks.end());
            values.marks.erase(std::unique(values.marks.begin(), values.marks.end()),
                               values.marks.end());
        }
        eye->SetValueAxis(values);
        PicturePanel* spectrum = w.Picture(spectrumId);
        spectrum->SetTitle(QString::fromStdString(PanelFrameOf(form, spectrumId).title));
        spectrum->SetFrequencyAxis(!ownLabels);
        spectrum->SetValueAxis(spectrumAxis);
    }
    for (int i = 0; i <= static_cast<int>(PictureId::picRxData); ++i) {
        const auto strip = static_cast<PictureId>(i);
        w.Picture(strip)->SetSideLabel(StripName(strip));
    }
    // The lowest strip shown of each group (sent, received) carries the time axis: a strip
    // shows zoom times its own symbols across, counted in its own symbol periods.
    const int zoom = std::max(1, form.Slider(SliderId::hscDataZoom).value);
    for (const auto& [first, last] : {std::pair{PictureId::picData, PictureId::picModData},
                                      std::pair{PictureId::picDemodData, PictureId::picRxData}}) {
        int lowest = -1;
        for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) {
            if (form.Visible(ControlRef(static_cast<PictureId>(i)))) lowest = i;
        }
        for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) {
            PicturePanel* panel = w.Picture(static_cast<PictureId>(i));
            const int baud = form.Strips().strips[static_cast<std::size_t>(i)].iBaud;
            if (i == lowest && baud > 0) {
                panel->SetSymbolAxis(double(baud) * zoom, nullptr);
            } else {
                panel->SetNoAxis();
            }
        }
    }
    // Each panel's check box has the panel's own position among the check boxes.
    for (int i = 0; i < CountOf<PictureId>(); ++i) {
        w.pictures[static_cast<std::size_t>(i)]->SetOffHint(
            QString::fromStdString(PanelFrameOf(form, static_cast<PictureId>(i)).offHint));
    }
}

}  // namespace linelab
