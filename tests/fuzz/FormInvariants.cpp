#include "tests/fuzz/FormInvariants.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "common/TextNumber.h"

namespace linelab::fuzz {
namespace {

std::string Name(ControlRef control) {
    return std::string(NameOf(control));
}

bool AllFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

template <typename Array>
bool AllWithin(const Array& values, int low, int high) {
    return std::all_of(values.begin(), values.end(), [&](auto v) { return v >= low && v <= high; });
}

std::string CheckList(const ListControl& list, ListId id) {
    if (list.text.size() > kMaxListText)
        return Name(id) + " holds a text of " + std::to_string(list.text.size()) + " bytes";
    if (!list.editable && list.ListIndex() < 0)
        return "fixed list " + Name(id) + " shows \"" + list.text + "\", not one of its items";
    return {};
}

std::string CheckRunControl(const Form1& form) {
    const TimerControl& t = form.Timer();
    const std::string& caption = form.PauseButton().caption;
    if (caption == "Cont" && t.enabled) return "the timer runs while cmdPause reads \"Cont\"";
    if (!t.enabled) return {};
    const bool fast = caption == "Pause" && t.interval == 100;
    const bool slow = caption == "Slow" && t.interval == 1000;
    if (!fast && !slow)
        return "the timer runs at " + std::to_string(t.interval) + " ms while cmdPause reads \"" +
               caption + "\"";
    return {};
}

// The points of an average that are plotted, and the stored copy of the memory trace.
std::string CheckAverage(const SpectrumAverage& average, const char* what) {
    const auto plotted = std::span<const double>(average).first(512);
    if (!AllFinite(plotted)) return std::string(what) + " is not finite";
    if (std::any_of(plotted.begin(), plotted.end(), [](double v) { return v < 0; }))
        return std::string(what) + " has a negative power";
    return {};
}

bool IsRaisedCosine(const std::string& filter) {
    return filter == "RC" || filter == "Root RC";
}

std::string CheckSideTexts(const Form1& form, int side) {
    const std::string& modPC = form.List(Element(ListId::cmbTxModPC0, side)).text;
    const double n = Int(Val(modPC) * 16 / 100 + 0.5);
    if (n < 1 || n > 16 || modPC != NumberText(Int(n * 100 / 16 + 0.5)))
        return "pulse width " + std::to_string(side) + " reads \"" + modPC + "\" after the design";
    if (IsRaisedCosine(form.List(Element(ListId::cmbTxFilter0, side)).text)) {
        const std::string& eb = form.List(Element(ListId::cmbTxEB0, side)).text;
        const double e = Val(eb);
        if (e < 1 || e > 100 || e != Int(e) || eb != NumberText(e))
            return "excess bandwidth " + std::to_string(side) + " reads \"" + eb +
                   "\" after the design";
        return {};
    }
    const std::string& bw = form.List(Element(ListId::cmbTxBW0, side)).text;
    const double b = Val(bw);
    if (!(b >= 0.1 && b <= 6.0) || bw != NumberText(b))
        return "bandwidth " + std::to_string(side) + " reads \"" + bw + "\" after the design";
    return {};
}

}  // namespace

std::string CheckControls(const Form1& form) {
    for (int i = 0; i < CountOf<ListId>(); ++i) {
        const auto id = static_cast<ListId>(i);
        if (std::string fault = CheckList(form.List(id), id); !fault.empty()) return fault;
    }
    for (const CheckControl& c : form.Checks()) {
        if (c.value != 0 && c.value != 1)
            return std::string(c.name) + " has the value " + std::to_string(c.value);
    }
    for (const SliderControl& s : form.Sliders()) {
        if (s.min > s.max || s.value < s.min || s.value > s.max)
            return std::string(s.name) + " at " + std::to_string(s.value) + " outside " +
                   std::to_string(s.min) + ".." + std::to_string(s.max);
    }
    return CheckRunControl(form);
}

std::string CheckCounters(const Form1& form) {
    const RunState& s = form.State();
    const FrameViews& v = form.Views();
    if (!std::isfinite(s.dBER) || s.dBER < 0 || s.dBER > 1)
        return "dBER is " + std::to_string(s.dBER);
    if (s.lBERRuns < 0 || v.lTxSpectra < 0 || v.lChannelSpectra < 0 || v.lRxSpectra < 0)
        return "a negative run or spectrum count";
    for (const auto& [average, what] :
         {std::pair{&v.dTxSpectrumAvg, "the transmit spectrum average"},
          std::pair{&v.dChannelSpectrumAvg, "the channel spectrum average"},
          std::pair{&v.dRxSpectrumAvg, "the receive spectrum average"},
          std::pair{&v.dMemorySpectrum, "the stored spectrum"}}) {
        if (std::string fault = CheckAverage(*average, what); !fault.empty()) return fault;
    }
    if (!AllFinite(s.dThresholds)) return "a decision threshold is not finite";
    if (!std::isfinite(v.dTxEyeScale)) return "the transmit eye scale is not finite";
    return {};
}

std::string CheckAfterTick(const Form1& form, bool designed) {
    const RunState& s = form.State();
    if (!AllFinite(std::span<const double>(s.dRxTimeData).first(kSignalFloats)))
        return "the received waveform is not finite";
    if (!(std::isfinite(s.dBaudRate) && s.dBaudRate > 0))
        return "dBaudRate is " + std::to_string(s.dBaudRate);
    if (s.iTxDutyCycle < 1 || s.iTxDutyCycle > 16)
        return "iTxDutyCycle is " + std::to_string(s.iTxDutyCycle);
    if (s.iCodeBaud != 12 && s.iCodeBaud != 15 && s.iCodeBaud != 24)
        return "iCodeBaud is " + std::to_string(s.iCodeBaud);
    if (!AllWithin(s.iModData, -3, 3) || !AllWithin(s.iDemodData, -3, 3))
        return "a symbol level outside -3..3";
    if (!AllWithin(s.iData, 0, 1) || !AllWithin(s.iPreData, 0, 1) || !AllWithin(s.iCodedData, 0, 1))
        return "a transmitted bit that is neither 0 nor 1";
    const std::string& caption = form.Label(LabelId::lblBER).caption;
    const double shown = caption.rfind("BER = ", 0) == 0 ? Val(caption.substr(6)) : -1;
    if (!(shown >= 0 && shown <= 1)) return "lblBER reads \"" + caption + "\"";
    return designed ? CheckNormalisedTexts(form) : std::string();
}

std::string CheckNormalisedTexts(const Form1& form) {
    for (int side = 0; side < 2; ++side) {
        if (std::string fault = CheckSideTexts(form, side); !fault.empty()) return fault;
    }
    return {};
}

}  // namespace linelab::fuzz
