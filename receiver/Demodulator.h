#pragma once
// The decisions of the receiver and the inverse of the level mapping, both selected by the
// receive-side format.

#include <optional>

#include "common/RunState.h"
#include "common/Signal.h"
#include "common/Tables.h"

namespace linelab {

// The decided level of one sample under the thresholds. Every > is strict; a sample equal to
// T1 goes to the middle level of the three-level formats, to the lower level otherwise.
int16_t DecideLevel(Format format, double sample, const Thresholds& t);

// Samples every slot of the run at offset v (the sampling slider's value) and decides its level
// into levels. An unknown format leaves levels as they were.
void DecideSymbols(std::optional<Format> format, const Signal& timeData, int v, const Thresholds& t,
                   Symbols& levels);

// Turns decided levels back into code bits: 128 bits, 256 for Format::Pam4. Returns false for an
// unknown format, which leaves codeBits as they were.
bool LevelsToCodeBits(std::optional<Format> format, const Symbols& levels, Bits& codeBits);

}  // namespace linelab
