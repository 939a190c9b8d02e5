#pragma once
// The bit error rate of an ideal receiver against Eb/N0: the curve a measured sweep is
// compared with.
//
// "Ideal" means: each symbol's pulse is passed through the filter matched to it, sampled
// without intersymbol interference at its peak, and compared with thresholds midway between
// adjacent levels, under a fixed noise density (N0 referred to the mapping's mean symbol
// energy over random data); then the level mapping, the line code and the pre-coding are
// undone by LineLab's own rules, and the compared bits of each run counted as the receiver
// counts them. LineLab's receiver reaches this with a matched pair of Nyquist filters (Root RC
// at the transmitter, Matched at the receiver), a perfect channel, fixed noise density and
// midway thresholds; its other filters let more noise through or add intersymbol
// interference. See analysis/ExactBer.h for how the rate is computed.

#include <optional>

#include "common/Tables.h"

namespace linelab {

// Q(x) = P(Z > x) for a standard normal Z.
double GaussianTail(double x);

// The ideal data-bit error rate for the transmit choices of a setting at the linear Eb/N0
// (not dB). A choice left unset counts as polar (N)RZ, no line code and no pre-coding.
// Exact for every mapping, line code and pre-coding (scrambling counts as none: with random
// data it changes no rate). Eb/N0 of 0 or less counts as a vanishing signal.
double IdealBer(std::optional<Format> format, std::optional<LineCoding> lineCode,
                std::optional<PreCoding> preCode, double ebN0);

// The same with Eb/N0 in dB.
double IdealBerAtDb(std::optional<Format> format, std::optional<LineCoding> lineCode,
                    std::optional<PreCoding> preCode, double ebN0dB);

}  // namespace linelab
