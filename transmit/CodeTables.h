#pragma once
// The tables the transmit stages send by, shared by the stages themselves and by the model of
// the levels they produce.

#include <array>
#include <cstdint>

namespace linelab {

// The data code groups of 4B5B, indexed by the nibble (first bit most significant); the
// word's first bit is its most significant bit here too.
inline constexpr std::array<uint8_t, 16> k4B5B = {
    0b11110, 0b01001, 0b10100, 0b10101, 0b01010, 0b01011, 0b01110, 0b01111,
    0b10010, 0b10011, 0b10110, 0b10111, 0b11010, 0b11011, 0b11100, 0b11101};

// The maximal-length sequence of x^3 + x + 1: each bit is the exclusive-or of the bits two
// and three places before it.
inline constexpr std::array<int16_t, 7> kPrbs7 = {1, 1, 1, 0, 0, 1, 0};

}  // namespace linelab
