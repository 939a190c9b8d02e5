#pragma once
// The Eb/N0 points of a sweep written as FROM:STEP:TO in dB, both ends included.

#include <optional>
#include <string_view>
#include <vector>

namespace linelab {

// The most points one range may give: a range that asks for more is refused rather than
// allocated (a step of 1e-9 would otherwise ask for billions).
inline constexpr std::size_t kMaxSweepPoints = 1000;

// FROM, FROM + STEP, ... up to TO inclusive (within a millionth of a step, so 0:0.1:1 ends
// at 1). STEP may be negative to sweep downwards. A single point when FROM equals TO.
// nullopt for anything else: not three plain numbers, a zero or non-finite step, a step
// pointing away from TO, or more than kMaxSweepPoints points.
std::optional<std::vector<double>> ParseSweepRange(std::string_view text);

}  // namespace linelab
