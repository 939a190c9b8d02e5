#include <cstdlib>

#include "transmit/Transmit.h"

namespace linelab {
namespace {

// Every scrambled run draws 256 fresh independent bits (1 when U > 0.5) and keeps them, so
// the receiver descrambles with the very same sequence instead of a self-synchronising rule.
void Scramble(RunState& s) {
    for (int i = 0; i < kBits; ++i) {
        s.iScrambleSeq[i] = s.rng.Next() > 0.5 ? 1 : 0;
        s.iPreData[i] = static_cast<int16_t>(std::abs(s.iData[i] - s.iScrambleSeq[i]));
    }
}

// A one toggles the output, a zero repeats it; every run starts from its first data bit, so
// no level is carried over from the previous run.
void Differential(RunState& s) {
    s.iPreData[0] = s.iData[0];
    for (int i = 1; i < kBits; ++i) {
        const int16_t previous = s.iPreData[i - 1];
        s.iPreData[i] = s.iData[i] != 0 ? static_cast<int16_t>(1 - previous) : previous;
    }
}

}  // namespace

void PreCode(std::optional<PreCoding> preCoding, RunState& state) {
    if (!preCoding) return;
    switch (*preCoding) {
        case PreCoding::None:
            state.iPreData = state.iData;
            break;
        case PreCoding::Differential:
            Differential(state);
            break;
        case PreCoding::Scramble:
            Scramble(state);
            break;
    }
}

}  // namespace linelab
