#pragma once
// The words of the program's fixed messages: what the user reads in the modal box for each
// fault the simulation reports. They are the program's own and stay as written, the name of
// the transmitter's mapping box included.

#include <string_view>

#include "common/Reporter.h"

namespace linelab {

constexpr std::string_view FaultText(Fault fault) {
    switch (fault) {
        case Fault::UnknownLineCode:
            return "Unknown Modulation Type";
        case Fault::UnknownMapping:
            return "Unknown cmbMod(0) Option";
        case Fault::UnknownDemodulation:
            return "Unknown modulation scheme in demodulating";
        case Fault::UnknownThresholdPattern:
            return "Unknown Modulation Format for Thresholds";
        case Fault::TransformLength:
            return "This FFT only does powers of two.";
    }
    return FaultName(fault);
}

}  // namespace linelab
