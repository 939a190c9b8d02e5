#include "ui/FormHost.h"

#include "common/TextNumber.h"
#include "display/Plots.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "transmit/Transmit.h"
#include "ui/Form1.h"
#include "ui/ListTexts.h"
#include "ui/PanelTable.h"
#include "ui/Simulation.h"

namespace linelab {
namespace {

bool On(const ControlSet& form, CheckId id) {
    return form.Check(id).value == 1;
}

const std::string& Text(const ControlSet& form, ListId id) {
    return form.List(id).text;
}

bool TransmitPam4(const ControlSet& form) {
    return Text(form, ListId::cmbMod0) == "4-PAM";
}

}  // namespace

void ReadLinkConfig(const ControlSet& f, LinkConfig& out) {
    out.data = FindDataSource(Text(f, ListId::cmbData));
    for (int side = 0; side < 2; ++side) {
        out.preCode[side] = FindPreCoding(Text(f, Element(ListId::cmbPreCode0, side)));
        out.code[side] = FindLineCode(Text(f, Element(ListId::cmbCode0, side)));
        out.format[side] = FindFormat(Text(f, Element(ListId::cmbMod0, side)));
    }
    out.iPulseWidth = PulseWidth(Val(Text(f, ListId::cmbTxModPC0)));
    out.noiseLevel =
        f.List(ListId::cmbNoise).visible ? NoiseLevel(Val(Text(f, ListId::cmbNoise))) : 0;
    // Off (or hidden with the noise box): the noise follows each run's energy, as the
    // window has always done; on: a fixed density, referred to the setting's mean energy.
    const CheckControl& fixed = f.Check(CheckId::chkFixedNoise);
    out.noiseScaling =
        fixed.visible && fixed.value == 1 ? NoiseScaling::Fixed : NoiseScaling::PerRun;
    out.echo.gain = EchoGain(Val(Text(f, ListId::cmbMultipathMag)));
    out.echo.delay = EchoDelay(Val(Text(f, ListId::cmbMultipathDelay)));
    out.invert = f.Check(CheckId::chkInvert).visible && On(f, CheckId::chkInvert);
    out.samplingOffset = f.Slider(SliderId::hscSample).value;
    for (const PanelDescriptor& panel : kPanelTable)
        out.shown.Set(panel.panel, On(f, panel.check));
}

ViewSettings ViewSettingsOf(const ControlSet& f) {
    const CheckControl& memory = f.Check(CheckId::chkMemory);
    return {memory.visible && memory.value == 1, f.Slider(SliderId::vscTxEyeScale).value};
}

LinkConfig LinkConfigOf(const ControlSet& controls) {
    LinkConfig config;
    ReadLinkConfig(controls, config);
    return config;
}

void ReadLinkConfig(const Form1& form, LinkConfig& out) {
    ReadLinkConfig(form.Controls(), out);
}

LinkConfig LinkConfigOf(const Form1& form) {
    return LinkConfigOf(form.Controls());
}

void FormHost::DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                         std::span<const int16_t> data, std::span<const int16_t> compareData,
                         int32_t colour, int16_t iMin, int16_t iMax) {
    simulation_.DrawStrip(panel, iDutyCycle, iBaud, data, compareData, colour, iMin, iMax);
}

// Traces are scaled by the transmit eye panel's size whichever panel they go to.
EyeView EyeViewOf(const ControlSet& controls, double dBaudRate) {
    const Canvas& txEye = controls.CanvasOf(PictureId::picTxEye);
    return {txEye.ScaleWidth(), txEye.ScaleHeight(), controls.Slider(SliderId::hscSample).value,
            TransmitPam4(controls), dBaudRate};
}

void FormHost::DrawEye(EyePanel panel, const Signal& timeData, double scaleFactor,
                       const Thresholds& thresholds, bool showThreshold) {
    const EyeView view = EyeViewOf(controls_, simulation_.State().dBaudRate);
    PlotEye(timeData, controls_.CanvasOf(Describe(panel).picture), scaleFactor, thresholds,
            showThreshold, view);
}

void FormHost::DrawSpectrum(SpectrumPanel panel, const SpectrumAverage& average,
                            const SpectrumAverage* memory, int32_t colour) {
    const CheckControl& linear = controls_.Check(CheckId::chkLinear);
    const SpectrumView view{linear.visible && linear.value == 1,
                            controls_.Slider(SliderId::vscSpectrumRange).value};
    PlotSpectrum(average, memory, controls_.CanvasOf(Describe(panel).picture), colour, view);
}

FilterConfig FormHost::ReadFilterConfig() {
    FilterTexts texts;
    ReadFilterTexts(texts);
    NormaliseFilterTexts(*this, texts);
    return FilterConfigOf(texts);
}

void FormHost::ReadFilterTexts(FilterTexts& out) {
    ReadFilterSettings(controls_, out);
}

void ReadFilterSettings(const ControlSet& controls, FilterTexts& out) {
    for (int side = 0; side < 2; ++side) {
        SideFilterTexts& t = out.side[side];
        t.modPC = Text(controls, Element(ListId::cmbTxModPC0, side));
        t.filter = Text(controls, Element(ListId::cmbTxFilter0, side));
        t.bw = Text(controls, Element(ListId::cmbTxBW0, side));
        t.eb = Text(controls, Element(ListId::cmbTxEB0, side));
    }
    out.lowPass = Text(controls, ListId::cmbLowPass);
    out.highPass = Text(controls, ListId::cmbHighPass);
}

void FormHost::WriteFilterText(FilterBox box, int side, std::string_view text) {
    if (side != 0 && side != 1) return;
    ListId first = ListId::cmbTxModPC0;
    if (box == FilterBox::BW) first = ListId::cmbTxBW0;
    if (box == FilterBox::EB) first = ListId::cmbTxEB0;
    controls_.Assign(Element(first, side), text);
}

void FormHost::Report(Fault fault) {
    simulation_.ReportFault(fault);
}

}  // namespace linelab
