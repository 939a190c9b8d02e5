#pragma once
// The inverses of the line codes, selected by the receive-side code.

#include <array>
#include <optional>

#include "common/RunState.h"
#include "common/Tables.h"

namespace linelab {

// The nibble (0..15) of each five-bit 4B5B group, or -1 for the sixteen groups that are not
// data code words (the control groups among them).
const std::array<int8_t, 32>& FourB5BInverse();

// Removes the NRZI layer over the 160 code bits of a 4B5B run, in place.
void RemoveNrzi(Bits& codeBits);

// Turns code bits into line-decoded bits (positions 0..127); an invalid code group gives
// kInvalidMark. For LineCoding::FourB5BNrzi the code bits are overwritten by the NRZI removal. An
// unknown code leaves decoded as it was.
void LineDecode(std::optional<LineCoding> code, Bits& codeBits, Bits& decoded);

}  // namespace linelab
