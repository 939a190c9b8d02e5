#pragma once
// Reading numbers from the texts of the boxes, and writing numbers as text.

#include <cstdint>
#include <string>
#include <string_view>

namespace linelab {

// The value of the leading number of the text: optional blanks, an optional sign, digits
// with at most one decimal point, an optional exponent. 0 when the text does not begin with
// a number. Never NaN or infinite: a number beyond the double range saturates to +-DBL_MAX
// (the limit the program chooses; downstream stages clamp further where they need to).
double Val(std::string_view text);

// The largest whole number not above x.
double Int(double x);

// x rounded to the nearest whole number, halves to the even neighbour. Results beyond the
// 16-bit (CInt) or 32-bit (CLng) range saturate to the range's ends, and NaN gives 0, where
// the original arithmetic would stop with an overflow error.
int16_t CInt(double x);
int32_t CLng(double x);

// Rounding half to even without a range limit (for intermediate values that are 32-bit
// or wider).
double RoundHalfEven(double x);

// The shortest decimal text of x that reads back as x: no exponent, no trailing zeros,
// a bare "0" for zero, "0.5" rather than ".5". Non-finite values give "0".
std::string NumberText(double x);

}  // namespace linelab
