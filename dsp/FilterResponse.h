#pragma once
// The frequency response of the transmit filter or of the receive filter, from the settings
// of one side.

#include "common/Reporter.h"
#include "common/Signal.h"
#include "dsp/FilterConfig.h"

namespace linelab {

enum class FilterSide { Transmitter, Receiver };

// Builds the response of one side into out (element 4096 left alone). Numbers outside their
// ranges are limited first, so every record gives a defined response. The receiver stores
// the complex conjugate of what the same settings give at the transmitter.
void BuildFilterResponse(const SideFilter& side, FilterSide which, double dBaudRate, Signal& out,
                         Reporter* reporter);

// The matched receive filter: the complex conjugate of the transmit response in every bin.
void MatchTransmitResponse(const Signal& dTxResponse, Signal& dRxResponse);

}  // namespace linelab
