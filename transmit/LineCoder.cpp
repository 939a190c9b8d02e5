#include "transmit/CodeTables.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// How much of the bit arrays a code uses. The two- and three-level formats send code bits
// 0..127 only, and the codes fill just that (plus what the code rate carries beyond it).
// Format::Pam4 sends code bits 0..255, which the plain ranges would leave holding bits of earlier
// runs; so for it every code writes all 256 code bits from as many pre-coded bits as it
// needs, never past index 255:
//   None, Differential  pre-coded 0..255 -> code 0..255
//   Manchester          pre-coded 0..127 -> code 0..255 (as always)
//   DiffManchester      pre-coded 0..127 -> code 0..255
//   FourB5B             pre-coded 0..207 -> 52 words, the last one cut after index 255
//   FourB5BNrzi         the same, with the NRZI pass over 0..255
// Without Pam4 the ranges are the plain ones: NRZI over 0..127 only, DiffManchester
// pre-coded 0..63 -> code 0..127, FourB5B pre-coded 0..127 -> code 0..159.
struct Span {
    int bits;   // code bits of the bit-for-bit codes, of DiffManchester and of the NRZI pass
    int words;  // 4B5B words
};

Span SpanFor(bool pam4) {
    return pam4 ? Span{kBits, 52} : Span{kSymbols, 32};
}

void Plain(RunState& s, int count) {
    for (int i = 0; i < count; ++i)
        s.iCodedData[i] = s.iPreData[i];
}

void Differential(RunState& s, int count) {
    s.iCodedData[0] = s.iPreData[0];
    for (int i = 1; i < count; ++i) {
        const int16_t previous = s.iCodedData[i - 1];
        s.iCodedData[i] = s.iPreData[i] != 0 ? static_cast<int16_t>(1 - previous) : previous;
    }
}

// A one is high-then-low, a zero low-then-high.
void Manchester(RunState& s) {
    for (int i = 0; i < kSymbols; ++i) {
        const bool one = s.iPreData[i] == 1;
        s.iCodedData[2 * i] = one ? 1 : 0;
        s.iCodedData[2 * i + 1] = one ? 0 : 1;
    }
}

// Every bit changes level in its middle and ends at level s; a zero also changes at its
// start. The level starts at 1 in every run.
void DiffManchester(RunState& s, int dataBits) {
    int16_t level = 1;
    for (int i = 0; i < dataBits; ++i) {
        const bool one = s.iPreData[i] == 1;
        s.iCodedData[2 * i] = one ? level : static_cast<int16_t>(1 - level);
        s.iCodedData[2 * i + 1] = one ? static_cast<int16_t>(1 - level) : level;
        if (one) level = static_cast<int16_t>(1 - level);
    }
}

void FourB5B(RunState& s, Span span) {
    const int limit = span.words * 5 < kBits ? span.words * 5 : kBits;
    for (int w = 0; w < span.words; ++w) {
        const int i = 4 * w;
        const int nibble =
            8 * s.iPreData[i] + 4 * s.iPreData[i + 1] + 2 * s.iPreData[i + 2] + s.iPreData[i + 3];
        const unsigned word = k4B5B[static_cast<std::size_t>(nibble & 15)];
        for (int b = 0; b < 5 && 5 * w + b < limit; ++b) {
            s.iCodedData[5 * w + b] = static_cast<int16_t>((word >> (4 - b)) & 1U);
        }
    }
}

// The level starts at 0 in every run and toggles on every one.
void Nrzi(RunState& s, int count) {
    int16_t level = 0;
    for (int i = 0; i < count; ++i) {
        if (s.iCodedData[i] == 1) level = static_cast<int16_t>(1 - level);
        s.iCodedData[i] = level;
    }
}

void Encode(LineCoding code, Span span, RunState& s) {
    switch (code) {
        case LineCoding::None:
            Plain(s, span.bits);
            break;
        case LineCoding::Differential:
            Differential(s, span.bits);
            break;
        case LineCoding::Manchester:
            Manchester(s);
            break;
        case LineCoding::DiffManchester:
            DiffManchester(s, span.bits / 2);
            break;
        case LineCoding::FourB5B:
            FourB5B(s, span);
            break;
        case LineCoding::FourB5BNrzi:
            FourB5B(s, span);
            Nrzi(s, span.bits);
            break;
    }
}

}  // namespace

void LineCode(std::optional<LineCoding> code, bool pam4, RunState& state) {
    if (code) Encode(*code, SpanFor(pam4), state);
    state.iCodeBaud = code ? Info(*code).iCodeBaud : int16_t{12};
}

}  // namespace linelab
