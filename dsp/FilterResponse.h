#pragma once
// The frequency response of the transmit filter or of the receive filter, from the texts of
// one side.

#include "common/Reporter.h"
#include "common/Signal.h"
#include "dsp/DesignFilters.h"

namespace linelab {

enum class FilterSide { Transmitter, Receiver };

// Builds the response of one side into out (element 4096 left alone). The texts are those
// after normalisation; numbers are read through the same rounding and limits again, so a
// box that did not keep its rewritten text still gives a defined response. The receiver
// stores the complex conjugate of what the same texts give at the transmitter.
void BuildFilterResponse(const SideFilterTexts& side, FilterSide which, double dBaudRate,
                         Signal& out, Reporter* reporter);

// The matched receive filter: the complex conjugate of the transmit response in every bin.
void MatchTransmitResponse(const Signal& dTxResponse, Signal& dRxResponse);

}  // namespace linelab
