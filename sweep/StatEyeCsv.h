#pragma once
// The statistical eye and its bathtubs as CSV, numbers written as the sweep's CSV writes them.
//
// The grid, one line per sampling instant and threshold, instants in order, thresholds
// ascending within each:
//   sample,threshold,rate
// sample is the sampling slider's value (-32..32, half-samples from the slot's impulse), threshold
// the decision threshold in the receive eye's signal units, rate the probability that a
// sample falls on the wrong side of that one threshold (see analysis/StatisticalEye.h).
//
// The bathtubs and their readouts:
//   curve,x,rate,data_rate
//   instant,SAMPLE,RATE,DATA_RATE      the receiver with its thresholds in use, by instant:
//                                      wrong decisions per slot and data-bit error rate
//   threshold,THRESHOLD,RATE,          one threshold at the instant in use
//   in-use-instant,SAMPLE,RATE,DATA_RATE
//   in-use-threshold,THRESHOLD,RATE,
//   best-instant,SAMPLE,RATE,DATA_RATE
//   best-threshold,THRESHOLD,RATE,
//   eye-width,SLOTS,LEVEL,             how far the instant may move at rate LEVEL
//   eye-height,UNITS,LEVEL,            how far the threshold may move at rate LEVEL
// with the eye's width and height at 1e-06 and 1e-12.

#include <string>

#include "analysis/Bathtub.h"
#include "analysis/StatisticalEye.h"

namespace linelab {

inline constexpr const char* kStatEyeCsvHeader = "sample,threshold,rate";
inline constexpr const char* kBathtubCsvHeader = "curve,x,rate,data_rate";

// The header and every line, each ended by "\n".
std::string StatEyeCsv(const StatisticalEye& eye);
std::string BathtubCsv(const Bathtub& tub);

}  // namespace linelab
