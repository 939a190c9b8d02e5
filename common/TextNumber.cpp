#include "common/TextNumber.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/DoubleChars.h"

namespace linelab {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// The exponent of ten of the first significant digit of a number text as NumberLength
// accepts it (so at least one digit), or -1 when every digit is zero. The exponent part
// saturates, so any length of digits is safe.
long long DecimalMagnitude(std::string_view number) {
    constexpr long long kCap = 1'000'000'000'000LL;
    const std::size_t ePos = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, ePos);
    long long exponent = 0;
    if (ePos != std::string_view::npos) {
        std::size_t j = ePos + 1;
        const bool negative = j < number.size() && number[j] == '-';
        if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
        for (; j < number.size(); ++j)
            exponent = std::min(kCap, exponent * 10 + (number[j] - '0'));
        if (negative) exponent = -exponent;
    }
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return -1;
    std::size_t point = mantissa.find('.');
    if (point == std::string_view::npos) point = mantissa.size();
    const long long position = first < point ? static_cast<long long>(point - first - 1)
                                             : -static_cast<long long>(first - point);
    return std::clamp(position, -kCap, kCap) + exponent;
}

}  // namespace

double Val(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = NumberLength(rest);
    if (length == 0) return 0.0;

    double value = 0.0;
    const auto [end, error] =
        FromChars(rest.data(), rest.data() + length, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double; which one depends on where the first
        // significant digit sits, not on the exponent's sign alone ("1000...0e-5" with
        // four hundred zeros overflows, "0.000...01" with ten thousand zeros underflows).
        value = DecimalMagnitude(rest.substr(0, length)) < 0 ? 0.0 : DBL_MAX;
    } else if (error != std::errc() || end == rest.data()) {
        return 0.0;
    }
    if (!std::isfinite(value)) value = DBL_MAX;
    return negative ? -value : value;
}

double Int(double x) {
    return std::floor(x);
}

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
    const auto result = ToChars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

}  // namespace linelab
