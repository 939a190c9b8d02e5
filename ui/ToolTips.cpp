#include "ui/ToolTips.h"

#include <array>

#include "ui/PanelTable.h"

namespace linelab {
namespace {

struct Tip {
    std::string_view name;
    const char* text;
};

// Every rate is relative to a data stream of 1 kbit/s, so frequencies are in kHz.
constexpr std::array kTips = {
    Tip{"cmbScene", "Lesson view: which stages of the chain are shown"},
    Tip{"cmbData", "Data source: the pattern of data bits sent in every run"},
    Tip{"cmbPreCode(0)", "Transmitter pre-coding applied to the data bits"},
    Tip{"cmbPreCode(1)", "Receiver post-coding: undoes the pre-coding"},
    Tip{"cmbCode(0)", "Transmitter line code (sets the symbol rate in kbaud)"},
    Tip{"cmbCode(1)", "Receiver line decoding"},
    Tip{"cmbMod(0)", "Transmitter level mapping: how code bits become line levels"},
    Tip{"cmbMod(1)", "Receiver demodulation format: how levels become code bits"},
    Tip{"cmbTxModPC(0)", "Transmit pulse width, in % of a symbol slot (type a value or pick one)"},
    Tip{"cmbTxModPC(1)", "Pulse width the receiver expects, in % of a symbol slot"},
    Tip{"cmbTxFilter(0)", "Transmit filter shape"},
    Tip{"cmbTxFilter(1)", "Receive filter shape"},
    Tip{"cmbTxBW(0)", "Transmit filter bandwidth, in kHz (type a value or pick one)"},
    Tip{"cmbTxBW(1)", "Receive filter bandwidth, in kHz (type a value or pick one)"},
    Tip{"cmbTxEB(0)", "Transmit raised-cosine excess bandwidth, in % (type a value or pick one)"},
    Tip{"cmbTxEB(1)", "Receive raised-cosine excess bandwidth, in % (type a value or pick one)"},
    Tip{"cmbHighPass", "Channel high-pass cut-off, in kHz (None: no high-pass)"},
    Tip{"cmbLowPass", "Channel low-pass cut-off, in kHz (None: no low-pass)"},
    Tip{"cmbNoise", "Channel noise power density, in W/kHz (None: no noise)"},
    Tip{"chkFixedNoise",
        "Fixed noise density: refer the noise to the setting's mean energy, not each run's own"},
    Tip{"cmbMultipathDelay", "Delay of the echo, in symbol periods (baud)"},
    Tip{"cmbMultipathMag", "Strength of the echo, in % of the direct signal"},
    Tip{"chkInvert", "Invert the polarity of the line signal in the channel"},
    Tip{"chkLinear", "Spectra on a linear power scale instead of decibels"},
    Tip{"chkMemory", "Keep the current spectrum as a dark green reference trace"},
    Tip{"hscDataZoom", "Strip span: 1 to 4 times as much of the run across every strip"},
    Tip{"hscDataScroll", "Which part of the last run the strips show, from start to end"},
    Tip{"vscSpectrumRange", "Vertical range of the spectra: lower fits a wider range of levels"},
    Tip{"vscTxEyeScale", "Eye scale: lower makes the transmit and channel eye traces smaller"},
    Tip{"vscThreshold", "Decision threshold voltages, kept symmetric about zero (top: highest)"},
    Tip{"hscSample", "Sampling instant: steps of 1/32 symbol, up to one symbol either way"},
    Tip{"lblBER", "Running bit error rate since the last change; click to restart it"},
    Tip{"cmdPause", "Pause, continue slowly (one run a second) or run at full speed"},
    Tip{"imgLogo", "LineLab"},
};

}  // namespace

// The panels' check boxes and pictures take theirs from the panel table.
std::string_view ToolTipText(ControlRef control) {
    if (const PanelDescriptor* panel = DescriptorOf(control)) {
        const bool check = control.kind == ControlKind::CheckBox;
        return check ? panel->checkTip : panel->pictureTip;
    }
    const std::string_view name = NameOf(control);
    for (const Tip& tip : kTips) {
        if (tip.name == name) return tip.text;
    }
    return {};
}

}  // namespace linelab
