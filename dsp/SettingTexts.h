#pragma once
// The rounding and limiting of the numeric filter boxes, the first step of the design pass.

#include <string>
#include <string_view>

#include "dsp/DesignFilters.h"

namespace linelab {

// The pulse width in whole percent of the nearest sixteenth of a symbol, 1 to 16 sixteenths:
// one of "6", "13", "19", ..., "94", "100".
std::string PulseWidthText(std::string_view text);

// The excess bandwidth in whole percent, "1" to "100".
std::string ExcessBandwidthText(std::string_view text);

// The bandwidth in kHz to the nearest hundredth, "0.1" to "6".
std::string BandwidthText(std::string_view text);

// True for the filter types that use the excess bandwidth rather than the bandwidth.
bool UsesExcessBandwidth(std::string_view filter);

// Rewrites the pulse width and the box the side's filter type uses, transmitter side first.
// Only a text that changes is written back; a write is a change of that box whose handling
// may change other texts, so texts is read again after every write and holds the texts the
// design must use when this returns.
void NormaliseFilterTexts(FilterSettings& settings, FilterTexts& texts);

}  // namespace linelab
