#include "receiver/PreDecoder.h"

#include <cstdlib>

namespace linelab {

void PreDecode(std::optional<PreCoding> preCoding, const Bits& p, const Bits& seq, Bits& r) {
    if (!preCoding) return;
    switch (*preCoding) {
        case PreCoding::None:
            for (int k = 0; k < kSymbols; ++k)
                r[k] = p[k];
            break;
        case PreCoding::Scramble:
            // The absolute difference is the exclusive-or for bits; an invalid mark stays far
            // from any data bit, so it still counts as an error.
            for (int k = 0; k < kSymbols; ++k)
                r[k] = static_cast<int16_t>(std::abs(p[k] - seq[k]));
            break;
        case PreCoding::Differential:
            r[0] = p[0];
            for (int k = 1; k < kSymbols; ++k)
                r[k] = p[k] != p[k - 1] ? 1 : 0;
            break;
    }
}

}  // namespace linelab
