#pragma once
// The data-bit error rate of LineLab's own receiver with ideal filters, computed exactly.
//
// "Ideal filters" means: every symbol is sampled at its peak without intersymbol
// interference and with Gaussian noise of the same deviation in every slot, as a pair of
// matched Nyquist filters gives. Given the levels sent, the decisions are then independent
// from slot to slot, and everything after them (the level-to-code-bit rules, the line
// decoder, the pre-decoder and the comparison over the compared bits of a run) is a
// deterministic machine with a small state. So the expected number of wrong data bits in a
// run is found by carrying the probability of every joint state of transmitter and receiver
// through the run, slot by slot, and adding the probability of each wrong compared bit: no
// approximation, no truncated series. The data are random (each bit 0 or 1 with probability
// 1/2, independent), the thresholds midway between adjacent levels, and the noise density
// fixed: N0 follows from the mean symbol energy over the data, not from each run's own.

#include <array>
#include <vector>

#include "common/Tables.h"

namespace linelab {

struct LinkSetup {
    Format format = Format::PolarNrz;
    LineCoding code = LineCoding::None;
    PreCoding preCoding = PreCoding::None;
    // The received polarity inverted, decided with midway thresholds in the order the levels
    // arrive in: each level is decided as its mirror image in the format's list would be
    // (unipolar's 0 as 1, 4-PAM's +3 as -3).
    bool inverted = false;
};

// Mean energy per symbol slot over a run of 128 slots, in units of the format's own level
// numbers (unipolar 0/1, polar -1/+1, three levels -1/0/+1, 4-PAM -3/-1/+1/+3), averaged
// over random data. This is what a fixed noise density is referred to.
double MeanLevelEnergy(Format format, LineCoding code);

// The exact data-bit error rate over a run's compared bits at the linear Eb/N0 (Eb counted
// as the readout counts it: mean symbol energy times symbols per data bit).
double ExactBer(const LinkSetup& setup, double ebN0);

// What one wrong decision costs after decoding, to first order in the rate of wrong
// decisions: cost[sent + 3][decided + 3] (level numbers as DecisionLevels gives them) is the
// expected number of wrong compared data bits one decision of `sent` as `decided` causes,
// averaged over the slots that send `sent`, in compared bits per slot. So with a share s_a
// of the slots sending a and a probability P(a -> b) of deciding it as b,
//     BER = sum over a != b of s_a P(a -> b) cost[a][b] + (terms in products of P's).
// A decoder that reads a bit from a transition (NRZI, the differential codes) pays twice, a
// 4B5B group up to four times, HDB3 a cleared mark three slots back, Manchester a whole
// data bit for either half; slots before or after the compared bits pay nothing. The data
// are random, as for ExactBer. Formed once per setting and kept; safe from any thread.
struct DecisionCosts {
    std::array<std::array<double, 7>, 7> cost{};
    std::array<double, 7> share{};  // of the slots sending each level (+3)
};
const DecisionCosts& WrongDecisionCosts(const LinkSetup& setup);

// The mean number of wrong compared data bits one wrong decision between neighbouring levels
// causes, over every slot sent (those whose bits are not compared pay nothing): how much a
// line code clusters its errors at the rates a sweep measures, where nearly every wrong
// decision crosses one gap. 1 for a plain mapping, about 2 for the codes that read a bit
// from a transition.
double BitsPerWrongDecision(const LinkSetup& setup);

// Manchester's textbook receiver: one correlation over the whole bit (the two halves'
// difference) instead of two half-bit decisions. For the two-level NRZ mappings only, whose
// halves are the levels a and b: the two bit shapes are (a, b) and (b, a), d^2 = 2 (a-b)^2 Ep
// apart with Eb = (a^2 + b^2) Ep, so the rate is Q(sqrt(d^2 / 2N0)):
//     polar (a, b) = (1, -1):  Q(sqrt(2 Eb/N0)), the same as polar NRZ;
//     unipolar (1, 0):         Q(sqrt(Eb/N0)).
// nullopt-like NaN for any other setting, where no such single curve applies.
double ManchesterOptimumBer(Format format, double ebN0);

// The levels a run sends in `count` consecutive slots from slot `first`, jointly, exactly
// over random data: every pattern that can occur, once, with its probability (the
// probabilities add up to 1). The transmit half is the machine the exact rate carries, so
// the patterns have the line code's and the mapping's memory; inversion is not applied.
inline constexpr int kMaxLevelWindow = 16;
struct LevelPattern {
    std::array<int16_t, kMaxLevelWindow> levels{};  // levels[i] is slot first + i
    double p = 0;
};
std::vector<LevelPattern> LevelPatterns(const LinkSetup& setup, int first, int count);

}  // namespace linelab
