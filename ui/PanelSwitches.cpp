// Check boxes, sliders and clicks on panels: they clear pictures, restart averages and
// counts, or change a caption; none of them draws a run.

#include "display/Plots.h"
#include "ui/Cascades.h"
#include "ui/FormHost.h"

namespace linelab {
namespace {

// The eight strip check boxes come first and in the order of their pictures.
bool IsStripSwitch(CheckId id) {
    return id <= CheckId::chkRxData;
}

}  // namespace

void Cascades::OnCheckClick(CheckId id) {
    const CheckControl& check = controls_.Check(id);
    if (IsStripSwitch(id)) {
        controls_.ClearPicture(static_cast<PictureId>(id));
        return;
    }
    switch (id) {
        case CheckId::chkTxSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Tx);
            break;
        case CheckId::chkChannelSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Channel);
            break;
        case CheckId::chkRxSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Rx);
            break;
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
            break;  // the eye switches only start or stop the drawing
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
            engine().SetTxEyeScale(controls_.Slider(id).value);
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
    FormHost host(controls_, simulation_);
    engine().ApplyThresholdSlider(host, host);
    controls_.ClearPicture(PictureId::picRxEye);
    engine().RestartBer();
}

void Cascades::hscDataZoom_Change() {
    const SliderControl& scroll = controls_.Slider(SliderId::hscDataScroll);
    controls_.SetSliderRange(SliderId::hscDataScroll, scroll.min,
                             ScrollMaximum(controls_.Slider(SliderId::hscDataZoom).value));
    simulation_.RedrawStrips();
}

void Cascades::ClickPicture(PictureId id) {
    switch (id) {
        case PictureId::picTxEye:
        case PictureId::picChannelEye:
        case PictureId::picRxEye:
            controls_.ClearPicture(id);
            break;
        case PictureId::picTxSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Tx);
            break;
        case PictureId::picChannelSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Channel);
            break;
        case PictureId::picRxSpectrum:
            engine().RestartSpectrum(SpectrumPanel::Rx);
            break;
        default:
            break;  // a click on a strip does nothing
    }
}

void Cascades::ClickBer() {
    engine().RestartBer();
}

}  // namespace linelab
