#include "engine/TextNumber.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace linelab {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of text: digits with at most one point, then an
// exponent only if at least one mantissa digit was seen and the exponent has digits.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    bool digits = false;
    bool point = false;
    while (i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point))) {
        digits = digits || IsDigit(text[i]);
        point = point || text[i] == '.';
        ++i;
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

double Val(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = NumberLength(rest);
    if (length == 0) return 0.0;

    double value = 0.0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value,
                                              std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Either too large or too small for a double: decide by the exponent's sign and the
        // mantissa, which from_chars does not tell us.
        const std::string_view mantissa = rest.substr(0, rest.find_first_of("eE"));
        const bool tinyExponent = rest.find("e-") != std::string_view::npos ||
                                  rest.find("E-") != std::string_view::npos;
        const bool zeroMantissa = mantissa.find_first_of("123456789") == std::string_view::npos;
        value = (tinyExponent || zeroMantissa) ? 0.0 : DBL_MAX;
    } else if (error != std::errc() || end == rest.data()) {
        return 0.0;
    }
    if (!std::isfinite(value)) value = DBL_MAX;
    return negative ? -value : value;
}

double Int(double x) { return std::floor(x); }

double RoundHalfEven(double x) {
    if (!std::isfinite(x)) return std::isnan(x) ? 0.0 : x;
    return std::nearbyint(x);  // the default rounding mode rounds halves to even
}

int16_t CInt(double x) {
    if (std::isnan(x)) return 0;
    const double r = RoundHalfEven(x);
    if (r >= INT16_MAX) return INT16_MAX;
    if (r <= INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(r);
}

int32_t CLng(double x) {
    if (std::isnan(x)) return 0;
    const double r = RoundHalfEven(x);
    if (r >= INT32_MAX) return INT32_MAX;
    if (r <= INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(r);
}

std::string NumberText(double x) {
    if (!std::isfinite(x) || x == 0.0) return "0";
    // Fixed notation with the shortest digits that read back exactly: at most about 330
    // characters for the extreme doubles.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

}  // namespace linelab
