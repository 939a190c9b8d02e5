#pragma once
// Texts a curious student might type into an editable box: empty and blank texts, bare
// signs and points, exponents beyond the double range, words the number reader must not
// take for numbers, texts longer than a box accepts, other scripts, emoji, broken UTF-8
// and NUL bytes, and the edges of every limit the program applies to a typed number.

#include <span>
#include <string>

namespace linelab::fuzz {

// Every entry, built once; the long ones are made by repetition, not spelled out.
std::span<const std::string> NastyTexts();

}  // namespace linelab::fuzz
