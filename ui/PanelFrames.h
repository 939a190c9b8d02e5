#pragma once
// What a view paints around each panel, without a toolkit: the title of an eye or spectrum,
// the name beside a strip, the hint in a switched-off panel and the name of its check box.
// The window and the page both read these.

#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace linelab {

class Form1;
struct PanelDescriptor;

inline constexpr std::string_view kOffHintText = "off: tick the box to show";

// "Transmitter", "Channel", "Receiver" for side 0, 1, 2.
std::string_view StageName(int side);
// The stage a strip shows, in a student's words; also the caption of its check box.
std::string_view StripTitle(PictureId strip);
// "Show the transmitter eye" and so on: the accessible name of a panel's check box.
std::string SwitchText(CheckId id);
std::string SwitchText(const PanelDescriptor& panel);

struct PanelFrame {
    std::string title;      // eyes and spectra: "Receiver eye", "Channel spectrum, dB"
    std::string sideLabel;  // strips: "Coded"
    std::string offHint;    // while its box is unticked
};
PanelFrame PanelFrameOf(const Form1& form, PictureId id);

// A panel's axes. Values: what the top and bottom edges stand for (an eye's signal value, a
// spectrum's level), with marks such as the receive eye's thresholds; none when the scale is
// degenerate. Symbols: how many symbol periods the width spans (eyes, and the lowest shown
// strip of the sent and of the received group); 0 for none.
struct ValueAxisData {
    double top = 0;
    double bottom = 0;
    std::string unit;
    std::vector<double> marks;
    bool operator==(const ValueAxisData&) const = default;
};
struct PanelAxes {
    ValueAxisData values;
    double symbolsAcross = 0;
    bool frequencyNumbers = false;  // spectra: the view numbers 0..4 kHz itself
};
PanelAxes PanelAxesOf(const Form1& form, PictureId id);

}  // namespace linelab
