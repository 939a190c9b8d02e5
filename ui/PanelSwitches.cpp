// Check boxes, sliders and clicks on panels: they clear pictures, restart averages and
// counts, or change a caption; none of them draws a run.

#include "display/Plots.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {
namespace {

// The eight strip check boxes come first and in the order of their pictures.
bool IsStripSwitch(CheckId id) {
    return id <= CheckId::chkRxData;
}

}  // namespace

void Form1::OnCheckClick(CheckId id) {
    const CheckControl& check = Check(id);
    if (IsStripSwitch(id)) {
        ClearPicture(static_cast<PictureId>(id));
        return;
    }
    switch (id) {
        case CheckId::chkTxSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Tx);
            break;
        case CheckId::chkChannelSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Channel);
            break;
        case CheckId::chkRxSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Rx);
            break;
        case CheckId::chkFixedNoise:
            engine_.RestartBer();
            break;
        case CheckId::chkInvert:
            engine_.RestartBer();
            ClearPicture(PictureId::picChannelEye);
            ClearPicture(PictureId::picRxEye);
            break;
        case CheckId::chkLinear:
            SetCheckCaption(id, check.value == 1 ? "Linear Plot" : "Log Plot", check.captionColour);
            break;
        case CheckId::chkMemory:
            SetCheckCaption(id, check.caption, check.value == 1 ? kDarkGreen : kBlack);
            break;
        default:
            break;  // the eye switches only start or stop the drawing
    }
}

void Form1::OnSliderChange(SliderId id) {
    switch (id) {
        case SliderId::hscDataZoom:
            hscDataZoom_Change();
            break;
        case SliderId::hscDataScroll:
            RedrawStrips();
            break;
        case SliderId::vscTxEyeScale:
            engine_.SetTxEyeScale(Slider(id).value);
            ClearPicture(PictureId::picTxEye);
            ClearPicture(PictureId::picChannelEye);
            break;
        case SliderId::vscThreshold:
            vscThreshold_Change();
            break;
        case SliderId::hscSample:
            ClearPicture(PictureId::picRxEye);
            engine_.RestartBer();
            break;
        default:
            break;  // the spectrum range is read when the spectra are drawn
    }
}

void Form1::vscThreshold_Change() {
    FormHost host(*this);
    engine_.ApplyThresholdSlider(host, host);
    ClearPicture(PictureId::picRxEye);
    engine_.RestartBer();
}

void Form1::hscDataZoom_Change() {
    const SliderControl& scroll = Slider(SliderId::hscDataScroll);
    SetSliderRange(SliderId::hscDataScroll, scroll.min,
                   ScrollMaximum(Slider(SliderId::hscDataZoom).value));
    RedrawStrips();
}

void Form1::ClickPicture(PictureId id) {
    switch (id) {
        case PictureId::picTxEye:
        case PictureId::picChannelEye:
        case PictureId::picRxEye:
            ClearPicture(id);
            break;
        case PictureId::picTxSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Tx);
            break;
        case PictureId::picChannelSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Channel);
            break;
        case PictureId::picRxSpectrum:
            engine_.RestartSpectrum(SpectrumPanel::Rx);
            break;
        default:
            break;  // a click on a strip does nothing
    }
}

void Form1::ClickBer() {
    engine_.RestartBer();
}

}  // namespace linelab
