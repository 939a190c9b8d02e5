#pragma once
// The inverses of the pre-codings, selected by the receive-side pre-coding.

#include <optional>

#include "common/RunState.h"
#include "common/Tables.h"

namespace linelab {

// Turns line-decoded bits into received data bits over positions 0..127. PreCoding::Scramble uses
// the scrambling sequence of the same run. An unknown pre-coding leaves received as it was.
void PreDecode(std::optional<PreCoding> preCoding, const Bits& decoded, const Bits& scrambleSeq,
               Bits& received);

}  // namespace linelab
