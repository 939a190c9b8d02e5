#pragma once
// Doubles to and from text, exactly as std::to_chars / std::from_chars do. Standard
// libraries that lack the floating-point overloads (libc++ before 14, which the browser build
// uses) get a replacement built on the C library's correctly rounded strtod and printf; every
// other build keeps the standard library's own, chosen by its feature-test macro.

#include <charconv>
#include <system_error>
#include <version>

namespace linelab {

// Reads a double from [first, last) in the given format; no leading blanks, no '+', no hex.
std::from_chars_result FromChars(const char* first, const char* last, double& value,
                                 std::chars_format format = std::chars_format::general);

// The shortest text that reads back as value: plain (fixed or scientific, whichever is
// shorter, fixed on a tie), or in the format given.
std::to_chars_result ToChars(char* first, char* last, double value);
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format);
// With `precision` digits after the point (fixed or scientific only), correctly rounded, ties
// to even; never the user's locale.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision);

// The replacement itself, built everywhere so native tests can hold it against the standard
// library's.
namespace portable {
std::from_chars_result FromChars(const char* first, const char* last, double& value,
                                 std::chars_format format);
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             bool plain);
}  // namespace portable

}  // namespace linelab
