#pragma once
// The design pass: turns the filter and channel settings into the four frequency
// responses of the link (transmit filter, receive filter, channel band-pass, and their
// product).

#include "common/Reporter.h"
#include "common/Signal.h"
#include "dsp/FilterConfig.h"

namespace linelab {

// Builds the four responses from the settings. The caller marks its responses valid
// afterwards. FFT messages go to reporter if given.
void DesignFilters(const FilterConfig& filters, double dBaudRate, Responses& out,
                   Reporter* reporter = nullptr);

}  // namespace linelab
