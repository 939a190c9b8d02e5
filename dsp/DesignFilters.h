#pragma once
// The design pass: turns the filter and channel settings into the four frequency
// responses of the link (transmit filter, receive filter, channel band-pass, and their
// product).

#include <array>
#include <string>
#include <string_view>

#include "common/Reporter.h"
#include "common/Signal.h"

namespace linelab {

// The numeric boxes the pass rewrites with their rounded, limited values.
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

// The pass reads the boxes through this interface and writes its rounded texts back through
// it. A write is a change of that box: the owner runs the box's change handling before
// WriteFilterText returns, and the pass reads the texts again afterwards.
class FilterSettings {
  public:
    virtual ~FilterSettings() = default;
    virtual void ReadFilterTexts(FilterTexts& out) = 0;
    virtual void WriteFilterText(FilterBox box, int side, std::string_view text) = 0;
};

// Normalises the texts (writing back only those that change), builds the four responses.
// The caller marks its responses valid afterwards. FFT messages go to reporter if given.
void DesignFilters(FilterSettings& settings, double dBaudRate, Responses& out,
                   Reporter* reporter = nullptr);

}  // namespace linelab
