#pragma once
// Helpers for looking at responses: their pulses in time, their bins as complex numbers.

#include <complex>
#include <span>
#include <string>

#include "common/Signal.h"
#include "dsp/FilterResponse.h"
#include "dsp/nrFFT.h"

namespace linelab {

inline std::complex<double> Bin(const Signal& s, int k) {
    return {s[2 * k], s[2 * k + 1]};
}

// The pulse of a response: its inverse transform.
inline Signal PulseOf(const Signal& response) {
    Signal time = response;
    FFT(std::span<double>(time.data(), kSignalFloats), kPoints, true, false);
    return time;
}

struct Side {
    std::string filter = "None";
    std::string bw = "1";
    std::string eb = "50";
    std::string modPC = "100";
};

inline Signal Response(const Side& s, FilterSide which, double baud = 1.0) {
    Signal out{};
    BuildFilterResponse({s.modPC, s.filter, s.bw, s.eb}, which, baud, out, nullptr);
    return out;
}

inline Signal TxResponse(const Side& s, double baud = 1.0) {
    return Response(s, FilterSide::Transmitter, baud);
}
inline Signal RxResponse(const Side& s, double baud = 1.0) {
    return Response(s, FilterSide::Receiver, baud);
}

}  // namespace linelab
