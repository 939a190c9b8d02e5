// Check boxes, sliders and clicks on panels: they clear pictures, restart averages and
// counts, or change a caption; none of them draws a run.

#include <optional>

#include "display/Plots.h"
#include "ui/Cascades.h"
#include "ui/FormHost.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

// The spectrum a panel shows, if it is one.
std::optional<SpectrumPanel> SpectrumOf(const PanelDescriptor* panel) {
    if (panel == nullptr || panel->kind != PanelKind::Spectrum) return std::nullopt;
    return static_cast<SpectrumPanel>(panel->kindIndex);
}

}  // namespace

// A strip's box clears its picture; a spectrum's restarts its average; an eye's only starts
// or stops the drawing.
void Cascades::OnPanelCheckClick(const PanelDescriptor& panel) {
    if (panel.kind == PanelKind::Strip) controls_.ClearPicture(panel.picture);
    if (const auto spectrum = SpectrumOf(&panel)) simulation_.Views().RestartSpectrum(*spectrum);
}

void Cascades::OnCheckClick(CheckId id) {
    if (const PanelDescriptor* panel = DescriptorOf(id)) {
        OnPanelCheckClick(*panel);
        return;
    }
    const CheckControl& check = controls_.Check(id);
    switch (id) {
        case CheckId::chkFixedNoise:
            engine().RestartBer();
            break;
        case CheckId::chkInvert:
            engine().RestartBer();
            controls_.ClearPicture(PictureId::picChannelEye);
            controls_.ClearPicture(PictureId::picRxEye);
            break;
        case CheckId::chkLinear:
            controls_.SetCheckCaption(id, check.value == 1 ? "Linear Plot" : "Log Plot",
                                      check.captionColour);
            break;
        case CheckId::chkMemory:
            controls_.SetCheckCaption(id, check.caption, check.value == 1 ? kDarkGreen : kBlack);
            break;
        default:
            break;
    }
}

void Cascades::OnSliderChange(SliderId id) {
    switch (id) {
        case SliderId::hscDataZoom:
            hscDataZoom_Change();
            break;
        case SliderId::hscDataScroll:
            simulation_.RedrawStrips();
            break;
        case SliderId::vscTxEyeScale:
            simulation_.Views().SetTxEyeScale(controls_.Slider(id).value);
            controls_.ClearPicture(PictureId::picTxEye);
            controls_.ClearPicture(PictureId::picChannelEye);
            break;
        case SliderId::vscThreshold:
            vscThreshold_Change();
            break;
        case SliderId::hscSample:
            controls_.ClearPicture(PictureId::picRxEye);
            engine().RestartBer();
            break;
        default:
            break;  // the spectrum range is read when the spectra are drawn
    }
}

void Cascades::vscThreshold_Change() {
    ApplyThresholdSlider();
    controls_.ClearPicture(PictureId::picRxEye);
    engine().RestartBer();
}

void Cascades::hscDataZoom_Change() {
    const SliderControl& scroll = controls_.Slider(SliderId::hscDataScroll);
    controls_.SetSliderRange(SliderId::hscDataScroll, scroll.min,
                             ScrollMaximum(controls_.Slider(SliderId::hscDataZoom).value));
    simulation_.RedrawStrips();
}

// A click clears an eye and restarts a spectrum's average; a click on a strip does nothing.
void Cascades::ClickPicture(PictureId id) {
    const PanelDescriptor* panel = DescriptorOf(id);
    if (panel != nullptr && panel->kind == PanelKind::Eye) controls_.ClearPicture(id);
    if (const auto spectrum = SpectrumOf(panel)) simulation_.Views().RestartSpectrum(*spectrum);
}

void Cascades::ClickBer() {
    engine().RestartBer();
}

}  // namespace linelab
