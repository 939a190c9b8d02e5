#pragma once
// The transmit stages of a run, in the order the tick calls them. Each works on the run
// state; an unrecognised setting (an empty optional) leaves the stage's array as it was.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "common/RunState.h"
#include "common/Tables.h"
#include "common/Uniform.h"

namespace linelab {

// Fills iData from the source (drawing from rng); an unknown source leaves it alone.
void GenerateData(std::optional<DataSource> source, Uniform& rng, Bits& iData);

// Fills iPreData (and, for PreCoding::Scramble, iScrambleSeq, drawing from state.rng).
void PreCode(std::optional<PreCoding> preCoding, RunState& state);

// Fills iCodedData from iPreData and sets iCodeBaud (12 for an unknown code, whose array
// is left alone). With pam4 true every code writes all 256 code bits from as many
// pre-coded bits as it needs, so a four-level run is built from this run's bits only.
void LineCode(std::optional<LineCoding> code, bool pam4, RunState& state);

// The pulse width in sixteenths of a symbol for the transmitter's width in per cent: 1..16.
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

// ---- the transmit half as every runner of the link forms it ------------------------------
// The engine, the reference figures and the folded runner all send what this sends: a run
// that differed in any of them would be measured against levels the link never transmits.

// The transmitter's settings (element 0 of config) from the data source to the levels:
// GenerateData, PreCode, LineCode (a four-level run builds all its code bits) and MapLevels,
// leaving iTxDutyCycle and dScale in the state. False when one of those settings names
// nothing; its stage left its array as it was, and reporting it is the caller's business.
bool TransmitLevels(const LinkConfig& config, RunState& state);

// The 128-point spectrum of the run's impulses, each of weight 16 x level (formed as a whole
// number first) x dScale. Symbols are 16 samples apart, so the impulse train's 2048-point
// spectrum is this one repeated 16 times.
void ImpulseSpectrum(std::span<const int16_t, kSymbols> iModData, double dScale,
                     std::span<double, 2 * kSymbols> spectrum, Reporter* reporter = nullptr);

// The transmitted waveform is the impulse train through the transmit response, so by Parseval
// a run's energy per slot is the sum over the 128 data bins q of |D(q)|^2 (D the impulse
// spectrum) times the transmit response's power summed over the bin's 16 aliases: this fold,
// with the transforms' scale. The data carry all that varies; the responses enter exactly.
using TransmitFold = std::array<double, kSymbols>;
TransmitFold TransmitPowerFold(const Responses& responses);
// A run's transmitted energy per slot from its impulse spectrum and the fold.
double TransmitEnergyPerSlot(std::span<const double, 2 * kSymbols> spectrum,
                             const TransmitFold& fold);

}  // namespace linelab
