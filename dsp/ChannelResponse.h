#pragma once
// The channel's ideal band-pass response from its band edges.

#include <optional>

#include "common/Signal.h"

namespace linelab {

// Unit gain and zero phase from the high-pass edge up to the low-pass edge (in kHz; empty
// means no edge on that side), zero elsewhere; element 4096 is left alone.
void BuildChannelResponse(std::optional<double> lowPass, std::optional<double> highPass,
                          double dBaudRate, Signal& out);

// dTotalResponse = channel * transmit * receive in every bin, multiplied in that order.
void BuildTotalResponse(const Signal& channel, const Signal& transmit, const Signal& receive,
                        Signal& total);

}  // namespace linelab
