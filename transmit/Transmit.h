#pragma once
// The transmit stages of a run, in the order the tick calls them. Each works on the run
// state; an unrecognised setting (an empty optional) leaves the stage's array as it was.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/Reporter.h"
#include "common/RunState.h"
#include "common/Tables.h"
#include "common/Uniform.h"

namespace linelab {

// Fills iData from the source (drawing from rng); an unknown source leaves it alone.
void GenerateData(std::optional<DataSource> source, Uniform& rng, Bits& iData);

// Fills iPreData (and, for "Scramble", iScrambleSeq, drawing from state.rng).
void PreCode(std::optional<PreCoding> preCoding, RunState& state);

// Fills iCodedData from iPreData and sets iCodeBaud (12 for an unknown code, whose array
// is left alone). With pam4 true every code writes all 256 code bits from as many
// pre-coded bits as it needs, so a four-level run is built from this run's bits only.
void LineCode(std::optional<LineCoding> code, bool pam4, RunState& state);

// The pulse width in sixteenths of a symbol for the per-cent width in cmbTxModPC(0): 1..16.
int16_t PulseWidth(double percent);

// What level mapping gives besides the levels.
struct LevelMap {
    int16_t iTxDutyCycle = 16;  // the pulse width in sixteenths of a symbol
    double dScale = 0;          // A * 16 / iTxDutyCycle, or 0 for an unknown format
};

// Fills iModData from iCodedData and takes iTxDutyCycle from the pulse width (sixteenths); for
// an unknown format iModData is left alone and dScale is 0.
LevelMap MapLevels(std::optional<Format> format, int16_t iPulseWidth,
                   std::span<const int16_t, kBits> iCodedData,
                   std::span<int16_t, kSymbols> iModData);

// The default thresholds a format brings with it when chosen at the receiver.
const std::array<double, 4>& DefaultThresholds(Format format);

// The threshold slider position for threshold T0: CInt(100 - Int(100 * T0 / sqrt 2)).
int ThresholdSliderFor(double t0);

// One impulse per symbol into dTxImpulses, its forward transform, the product with
// dTotalResponse into dRxSpectrum and its copy dRxTimeData.
void BuildPulseTrain(RunState& state, double dScale, Reporter* reporter = nullptr);

}  // namespace linelab
