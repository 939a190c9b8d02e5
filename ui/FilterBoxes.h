#pragma once
// The filter and channel boxes of the window as texts: their rounding and limiting, the
// rewrite of the rounded texts into the boxes before each design, and the texts parsed into
// the record the design pass takes.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "dsp/FilterConfig.h"
#include "ui/ListTexts.h"

namespace linelab {

// The numeric boxes rewritten with their rounded, limited values.
enum class FilterBox { ModPC, BW, EB };

struct SideFilterTexts {
    std::string modPC;   // cmbTxModPC(i): pulse width in percent
    std::string filter;  // cmbTxFilter(i): filter type
    std::string bw;      // cmbTxBW(i): bandwidth in kHz
    std::string eb;      // cmbTxEB(i): excess bandwidth in percent
};

struct FilterTexts {
    std::array<SideFilterTexts, 2> side;  // 0 transmitter, 1 receiver
    std::string lowPass;                  // cmbLowPass: upper band edge in kHz, or "None"
    std::string highPass;                 // cmbHighPass: lower band edge in kHz, or "None"
};

// The boxes as the rewrite reads and writes them. A write is a change of that box: the owner
// runs the box's change handling before WriteFilterText returns.
class FilterBoxes {
  public:
    virtual ~FilterBoxes() = default;
    virtual void ReadFilterTexts(FilterTexts& out) = 0;
    virtual void WriteFilterText(FilterBox box, int side, std::string_view text) = 0;
};

// The pulse width in whole percent of the nearest sixteenth of a symbol, 1 to 16 sixteenths:
// one of "6", "13", "19", ..., "94", "100".
std::string PulseWidthText(std::string_view text);

// The excess bandwidth in whole percent, "1" to "100".
std::string ExcessBandwidthText(std::string_view text);

// The bandwidth in kHz to the nearest hundredth, "0.1" to "6".
std::string BandwidthText(std::string_view text);

// Rewrites the pulse width and the box the side's filter type uses, transmitter side first.
// Only a text that changes is written back; a write is a change of that box whose handling
// may change other texts, so texts is read again after every write and holds the texts the
// design must use when this returns.
void NormaliseFilterTexts(FilterBoxes& boxes, FilterTexts& texts);

// The texts as the design pass takes them. Numbers go through the same rounding and limits
// as the rewrite, so a box that did not keep its rewritten text still gives the rounded value.
FilterConfig FilterConfigOf(const FilterTexts& texts);

}  // namespace linelab
