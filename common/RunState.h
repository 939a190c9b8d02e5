#pragma once
// Everything the simulation keeps from one run to the next. All numbers start at zero and
// all flags false; nothing here is cleared between runs, so an entry a stage does not write
// keeps its old value. What only the views keep (the spectrum averages, the memory trace, the
// eye scale, the transmit and channel stages their panels show) is theirs: display/FrameViews.h.

#include <array>
#include <cstdint>

#include "common/Signal.h"
#include "common/Uniform.h"

namespace linelab {

inline constexpr int kSymbols = 128;  // symbol slots per run
inline constexpr int kBits = 256;     // capacity of the bit arrays

using Bits = std::array<int16_t, kBits>;
using Symbols = std::array<int16_t, kSymbols>;
// A panel's averaged power spectrum: points 0..511 are plotted, and the stored copy of the
// memory trace takes elements 0..1023.
using SpectrumAverage = std::array<double, 1025>;
using Thresholds = std::array<double, 5>;  // T0..T3; element 4 is never used

// The value a receiver stage writes into a bit array for an invalid code group.
inline constexpr int16_t kInvalidMark = 13;

struct RunState {
    bool bFiltersValid = false;
    double dBaudRate = 0;

    // Transmit half.
    Bits iData{};
    Bits iPreData{};
    Bits iScrambleSeq{};
    Bits iCodedData{};
    Symbols iModData{};
    int16_t iCodeBaud = 0;
    int16_t iTxDutyCycle = 0;
    double dScale = 0;  // the last run's amplitude scale

    alignas(64) Signal dTxImpulses{};
    alignas(64) Signal dRxSpectrum{};
    alignas(64) Signal dRxTimeData{};

    // Noise and receiver. The transmit-filter output is formed only in a run whose noise
    // follows the run's own energy, which is measured on its waveform (NoiseMeasuresRun); the
    // received waveform never passes through it.
    alignas(64) Signal dTxSpectrum{};  // dTxResponse x dTxImpulses
    alignas(64) Signal dTxWaveform{};  // the same, transformed to the time domain
    alignas(64) Signal dNoise{};
    alignas(64) Signal dRxNoiseSpectrum{};
    Thresholds dThresholds{};
    Symbols iDemodData{};
    Bits iDecodedData{};
    Bits iPostData{};
    Bits iRxData{};

    // Responses, written by the design pass.
    Responses responses;

    // Running bit error rate.
    int32_t lBERRuns = 0;
    double dBER = 0;

    Uniform rng;
};

// Adds one to a running-average count. Counts saturate at the 32-bit maximum instead of
// overflowing: from there on each new value keeps the same (tiny) weight, so the average
// stays a mean and keeps working however long the program runs.
inline int32_t NextCount(int32_t count) {
    return count < INT32_MAX ? count + 1 : INT32_MAX;
}

}  // namespace linelab
