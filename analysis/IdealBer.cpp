#include "analysis/IdealBer.h"

#include <algorithm>
#include <cmath>

#include "analysis/SignalToNoise.h"
#include "common/Tables.h"

namespace linelab {
namespace {

// Levels a_i (probabilities pi_i) of pulses of energy Ep give Es = Ep sum(pi_i a_i^2). Two
// adjacent levels d apart differ by d^2 Ep in energy at the matched filter's output, whose
// noise has variance N0/2 per unit of pulse energy, so a threshold midway is crossed with
//     p = Q(sqrt(d^2 Ep / (2 N0))) = Q(sqrt(gain * Es / N0)), gain = d^2 / (2 sum(pi a^2)).
//   unipolar 0, 1 (1/2 each):         gain = 1 / (2 * 1/2)      = 1
//   polar -1, +1:                     gain = 4 / (2 * 1)        = 2
//   three levels -1, 0, +1 (1/4, 1/2, 1/4 with random data):
//                                     gain = 1 / (2 * 1/2)      = 1
//   HDB3: its substitutions add marks; with random data, runs of 128 slots and the mapper
//   restarting every run, 54.9 % of the slots carry a mark (counted over every pattern's
//   probability by enumeration):      gain = 1 / (2 * 0.549)    = 0.91
//   4-PAM -3, -1, +1, +3 (1/4 each):  gain = 4 / (2 * 5)        = 0.4
constexpr double kHdb3Marks = 0.549;

double LevelGain(Format format) {
    switch (format) {
        case Format::UnipolarNrz:
        case Format::UnipolarNrzi:
        case Format::Ami:
        case Format::Mlt3:
            return 1.0;
        case Format::Hdb3:
            return 1 / (2 * kHdb3Marks);
        case Format::Pam4:
            return 0.4;
        default:
            return 2.0;
    }
}

// Differential decoding compares two decisions: a bit is wrong when exactly one is.
double Differential(double e) {
    return 2 * e * (1 - e);
}

// Code-bit error rate from the gap crossing probability p.
//   two levels: p; with NRZI decoding (a transition is a 1) the differential rule.
//   three levels: the middle level (probability 1/2) has two neighbours, the outer ones one,
//     so a symbol is wrong with 1/2 * 2p + 1/2 * p = 1.5 p. AMI and HDB3 read a mark from one
//     decision; MLT3 reads it from the transition between two, so each wrong symbol spoils
//     two code bits: 3 p. HDB3's zeros (45.1 %) have two neighbours: (2 - 0.549) p; its
//     decoder also reads a wrong mark of the last mark's polarity as a violation and clears
//     the bit three slots back, which spreads some errors further (not counted: measured,
//     the rate comes out up to about 1.6 times this leading term).
//   4-PAM natural binary: crossings -3|-1 and +1|+3 flip one bit, -1|+1 flips two (01 <-> 10);
//     each level has probability 1/4 and each crossing is made from both sides, so the bits
//     flipped per symbol are 1/4 p (1 + 1 + 2 + 2 + 1 + 1) = 2 p, over 2 bits: p.
//     (A Gray labelling would flip one bit at every crossing: 0.75 p.)
double CodeBitErrors(Format format, double p) {
    switch (format) {
        case Format::UnipolarNrzi:
        case Format::PolarNrzi:
            return Differential(p);
        case Format::Ami:
            return std::min(1.5 * p, 1.0);
        case Format::Hdb3:
            return std::min((2 - kHdb3Marks) * p, 1.0);
        case Format::Mlt3:
            return std::min(3.0 * p, 1.0);
        default:
            return p;
    }
}

// Average data bits wrong per wrong code bit in a 4B5B group: over the 16 data groups and
// their 5 single-bit errors (80 cases), 190 data bits come out wrong (an invalid group marks
// all four), 190 / 80 = 2.375 per group; five code bits carry four data bits.
constexpr double kFourB5BSpread = 5.0 * (190.0 / 80.0) / 4.0;

// Data-bit error rate from the code-bit error rate e, by line code.
double DataBitErrors(LineCoding code, double e) {
    switch (code) {
        case LineCoding::Differential:
            return Differential(e);
        case LineCoding::Manchester:
        case LineCoding::DiffManchester:
            return 1 - (1 - e) * (1 - e);  // both halves of the pair must be right
        case LineCoding::FourB5B:
            return std::min(kFourB5BSpread * e, 0.5);
        case LineCoding::FourB5BNrzi:
            return std::min(kFourB5BSpread * Differential(e), 0.5);
        default:
            return e;
    }
}

}  // namespace

double GaussianTail(double x) {
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

double IdealBer(std::string_view formatText, std::string_view codeText,
                std::string_view preCodeText, double ebN0) {
    const Format format = FindFormat(formatText).value_or(Format::PolarNrz);
    const LineCoding code = FindLineCode(codeText).value_or(LineCoding::None);
    const std::string_view knownFormat = Info(format).name;
    const double esN0 = std::max(ebN0, 0.0) / SymbolsPerDataBit(Info(code).name, knownFormat);
    const double p = GaussianTail(std::sqrt(LevelGain(format) * esN0));
    double ber = DataBitErrors(code, CodeBitErrors(format, p));
    if (FindPreCoding(preCodeText) == PreCoding::Differential) ber = Differential(ber);
    return ber;
}

double IdealBerAtDb(std::string_view format, std::string_view lineCode, std::string_view preCode,
                    double ebN0dB) {
    return IdealBer(format, lineCode, preCode, std::pow(10.0, ebN0dB / 10.0));
}

}  // namespace linelab
