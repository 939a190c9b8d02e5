#pragma once
// The shared signal layout: 2048 complex values interleaved (real part of value k at 2k,
// imaginary part at 2k + 1) in 4097 doubles; element 4096 is never used by any stage.

#include <array>
#include <cmath>
#include <cstdint>

namespace linelab {

inline constexpr int kPoints = 2048;               // complex samples (or bins) per run
inline constexpr int kSignalFloats = 2 * kPoints;  // 4096 floats in use
using Signal = std::array<double, kSignalFloats + 1>;
// The signals kept in the run state and the responses are declared alignas(64): each starts
// on a cache line, so the transforms' wide loads never straddle two. Without it a signal's
// alignment drifts by 8 bytes from one member to the next (a signal is 4097 doubles), and the
// tick's time moved by 5 % with where the allocator happened to put the run state.

// The symbol rate as the design pass and the plots use it. The program only ever sets 1.0,
// 2.0, 1.2 or their halves; a rate that is not a positive finite number would divide by zero
// or index nowhere, so everything then works as for 1.0.
inline double UsableBaudRate(double dBaudRate) {
    return std::isfinite(dBaudRate) && dBaudRate > 0 ? dBaudRate : 1.0;
}

// The four frequency responses of the link, written only by the design pass.
struct Responses {
    alignas(64) Signal dTxResponse{};
    alignas(64) Signal dRxResponse{};
    alignas(64) Signal dChannelResponse{};
    alignas(64) Signal dTotalResponse{};
};

}  // namespace linelab
