#pragma once
// Helpers for looking at responses: their pulses in time, their bins as complex numbers.

#include <complex>
#include <optional>
#include <span>

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

// One side as the tests start from: "None" at 1 kHz, 50 %, full width.
struct Side {
    std::optional<FilterType> type = FilterType::None;
    double bw = 1;
    int eb = 50;
    int width = 16;  // sixteenths
};

inline Signal Response(const Side& s, FilterSide which, double baud = 1.0) {
    Signal out{};
    BuildFilterResponse(
        {.type = s.type, .iPulseWidth = s.width, .bandwidth = s.bw, .excessBandwidth = s.eb}, which,
        baud, out, nullptr);
    return out;
}

inline Signal TxResponse(const Side& s, double baud = 1.0) {
    return Response(s, FilterSide::Transmitter, baud);
}
inline Signal RxResponse(const Side& s, double baud = 1.0) {
    return Response(s, FilterSide::Receiver, baud);
}

}  // namespace linelab
