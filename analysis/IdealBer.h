#pragma once
// The bit error rate of an ideal receiver against Eb/N0: the curve a measured sweep is
// compared with.
//
// "Ideal" means: each symbol's pulse is passed through the filter matched to it, sampled
// without intersymbol interference at its peak, and compared with thresholds midway between
// adjacent levels; then the level mapping and the line code are undone as LineLab's receiver
// undoes them. LineLab's receiver reaches this only with a matched pair of Nyquist filters
// (Root RC at the transmitter, Matched at the receiver), a perfect channel and the
// thresholds midway; its other filters let more noise through or add intersymbol
// interference, and its default 4-PAM thresholds (2.8/sqrt 5) sit slightly off the middle.

#include <string_view>

namespace linelab {

// Q(x) = P(Z > x) for a standard normal Z.
double GaussianTail(double x);

// The ideal data-bit error rate for the transmit texts of a setting at the linear Eb/N0
// (not dB). Unknown texts count as "Polar (N)RZ", line code "None" and pre-coding "None".
// Formulas are exact for the two-level mappings with the plain line code and first-order
// (the dominant term, good to a few per cent below a rate of 1e-2) elsewhere, except HDB3,
// whose decoder spreads errors in a way the formula leaves out (up to about 1.6 times more).
double IdealBer(std::string_view format, std::string_view lineCode, std::string_view preCode,
                double ebN0);

// The same with Eb/N0 in dB.
double IdealBerAtDb(std::string_view format, std::string_view lineCode, std::string_view preCode,
                    double ebN0dB);

}  // namespace linelab
