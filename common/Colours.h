#pragma once
// The drawing colours, as 24-bit blue-green-red values.

#include <cstdint>

namespace linelab {

inline constexpr int32_t kBlue = 16711680;
inline constexpr int32_t kRed = 255;
inline constexpr int32_t kGreen = 65280;
inline constexpr int32_t kDarkGreen = 32768;
inline constexpr int32_t kBlack = 0;

}  // namespace linelab
