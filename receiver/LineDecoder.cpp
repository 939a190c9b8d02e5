#include "receiver/LineDecoder.h"

namespace linelab {
namespace {

inline constexpr int kFourB5BCodeBits = 160;  // 32 groups of five

// The sixteen data code words, indexed by their nibble.
inline constexpr std::array<int8_t, 16> kCodeWords = {
    0b11110, 0b01001, 0b10100, 0b10101, 0b01010, 0b01011, 0b01110, 0b01111,
    0b10010, 0b10011, 0b10110, 0b10111, 0b11010, 0b11011, 0b11100, 0b11101};

constexpr std::array<int8_t, 32> InvertCodeWords() {
    std::array<int8_t, 32> inverse{};
    inverse.fill(-1);
    for (int n = 0; n < 16; ++n)
        inverse[kCodeWords[n]] = static_cast<int8_t>(n);
    return inverse;
}

inline constexpr std::array<int8_t, 32> kInverse = InvertCodeWords();

int16_t DecodedBit(bool b) {
    return b ? 1 : 0;
}

void FromTransitions(const Bits& c, Bits& p) {
    p[0] = c[0];
    for (int k = 1; k < kSymbols; ++k)
        p[k] = DecodedBit(c[k] != c[k - 1]);
}

void FromManchester(const Bits& c, Bits& p) {
    for (int k = 0; k < kSymbols; ++k) {
        const int16_t a = c[2 * k];
        const int16_t b = c[2 * k + 1];
        p[k] = (a == 1 && b == 0) ? 1 : (a == 0 && b == 1) ? 0 : kInvalidMark;
    }
}

// Every bit has a transition in its middle; a 1 has none at its start, so it begins at the
// level b the previous bit ended on, and moves it.
void FromDiffManchester(const Bits& c, Bits& p) {
    int16_t b = 1;
    for (int k = 0; k < kSymbols; ++k) {
        const int16_t first = c[2 * k];
        const int16_t second = c[2 * k + 1];
        if (first == b && second == 1 - b) {
            p[k] = 1;
            b = static_cast<int16_t>(1 - b);
        } else if (first == 1 - b && second == b) {
            p[k] = 0;
        } else {
            p[k] = kInvalidMark;
        }
    }
}

// The group's value, or -1 when a code bit is not 0 or 1.
int GroupValue(const Bits& c, int j) {
    int value = 0;
    for (int i = 0; i < 5; ++i) {
        if (c[j + i] != 0 && c[j + i] != 1) return -1;
        value = 2 * value + c[j + i];
    }
    return value;
}

void FromFourB5B(const Bits& c, Bits& p) {
    for (int j = 0; j < kFourB5BCodeBits; j += 5) {
        const int value = GroupValue(c, j);
        const int nibble = value < 0 ? -1 : kInverse[value];
        for (int i = 0; i < 4; ++i) {
            p[4 * j / 5 + i] = nibble < 0 ? kInvalidMark : DecodedBit((nibble >> (3 - i)) & 1);
        }
    }
}

}  // namespace

const std::array<int8_t, 32>& FourB5BInverse() {
    return kInverse;
}

void RemoveNrzi(Bits& c) {
    // Backwards, so that every comparison sees the code bits as they were.
    for (int k = kFourB5BCodeBits - 1; k >= 1; --k)
        c[k] = DecodedBit(c[k] != c[k - 1]);
}

void LineDecode(std::optional<LineCoding> code, Bits& c, Bits& p) {
    if (!code) return;
    switch (*code) {
        case LineCoding::None:
            for (int k = 0; k < kSymbols; ++k)
                p[k] = c[k];
            break;
        case LineCoding::Differential:
            FromTransitions(c, p);
            break;
        case LineCoding::Manchester:
            FromManchester(c, p);
            break;
        case LineCoding::DiffManchester:
            FromDiffManchester(c, p);
            break;
        case LineCoding::FourB5BNrzi:
            RemoveNrzi(c);
            FromFourB5B(c, p);
            break;
        case LineCoding::FourB5B:
            FromFourB5B(c, p);
            break;
    }
}

}  // namespace linelab
