#include "common/DoubleChars.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace linelab {
namespace portable {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of the word at p when it matches (case-insensitively), else 0.
std::size_t Word(const char* p, const char* last, const char* word) {
    const std::size_t n = std::strlen(word);
    if (static_cast<std::size_t>(last - p) < n) return 0;
    for (std::size_t i = 0; i < n; ++i)
        if (Lower(p[i]) != word[i]) return 0;
    return n;
}

std::from_chars_result Invalid(const char* first) {
    return {first, std::errc::invalid_argument};
}

}  // namespace

std::from_chars_result FromChars(const char* first, const char* last, double& value,
                                 std::chars_format format) {
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;
    // Infinity and NaN, which strtod also reads but with its own idea of where they end.
    if (std::size_t n = Word(p, last, "infinity"); n || (n = Word(p, last, "inf"))) {
        value = negative ? -HUGE_VAL : HUGE_VAL;
        return {p + n, std::errc()};
    }
    if (const std::size_t n = Word(p, last, "nan")) {
        const char* end = p + n;
        if (end != last && *end == '(') {
            const char* q = end + 1;
            while (q != last &&
                   (IsDigit(*q) || (Lower(*q) >= 'a' && Lower(*q) <= 'z') || *q == '_'))
                ++q;
            if (q != last && *q == ')') end = q + 1;
        }
        value = negative ? -std::nan("") : std::nan("");
        return {end, std::errc()};
    }
    // The extent of the number, so strtod never sees more (a hex prefix, a blank, a '+').
    const char* q = p;
    bool nonZero = false;
    std::size_t digits = 0;
    for (; q != last && IsDigit(*q); ++q, ++digits)
        nonZero = nonZero || *q != '0';
    if (q != last && *q == '.') {
        ++q;
        for (; q != last && IsDigit(*q); ++q, ++digits)
            nonZero = nonZero || *q != '0';
    }
    if (digits == 0) return Invalid(first);
    const bool fixed = (format & std::chars_format::fixed) == std::chars_format::fixed;
    const bool scientific =
        (format & std::chars_format::scientific) == std::chars_format::scientific;
    bool exponent = false;
    if (scientific && q != last && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e != last && (*e == '+' || *e == '-')) ++e;
        if (e != last && IsDigit(*e)) {
            while (e != last && IsDigit(*e))
                ++e;
            q = e;
            exponent = true;
        }
    }
    if (scientific && !fixed && !exponent) return Invalid(first);

    const std::string text(first, q);
    errno = 0;
    const double parsed = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE && (std::isinf(parsed) || (parsed == 0 && nonZero)))
        return {q, std::errc::result_out_of_range};
    value = parsed;
    return {q, std::errc()};
}

namespace {

// The shortest digits that read back as x (x finite and positive), and the decimal exponent
// of the first: x ~ d.ddd * 10^exponent.
void ShortestDigits(double x, std::string& digits, int& exponent) {
    char buffer[64];
    for (int precision = 0; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision, x);
        if (precision == 17 || std::strtod(buffer, nullptr) == x) break;
    }
    const char* e = std::strchr(buffer, 'e');
    digits.clear();
    for (const char* p = buffer; p != e; ++p)
        if (*p != '.') digits += *p;
    exponent = std::atoi(e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

// Fixed notation. A whole number past the shortest digits is written out exactly, as the
// standard library does, rather than padded with zeros.
std::string Fixed(double x, const std::string& digits, int exponent) {
    const int n = static_cast<int>(digits.size());
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    if (n <= exponent + 1) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", x);
        return buffer;
    }
    return digits.substr(0, static_cast<std::size_t>(exponent + 1)) + '.' +
           digits.substr(static_cast<std::size_t>(exponent + 1));
}

std::string Scientific(const std::string& digits, int exponent) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += '.' + digits.substr(1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + tail;
}

}  // namespace

std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             bool plain) {
    std::string text;
    if (std::signbit(value) && !std::isnan(value)) text = "-";
    if (std::isnan(value)) {
        text = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        text += "inf";
    } else if (value == 0) {
        text += format == std::chars_format::scientific && !plain ? "0e+00" : "0";
    } else {
        std::string digits;
        int exponent = 0;
        ShortestDigits(std::fabs(value), digits, exponent);
        if (plain) {
            const std::string f = Fixed(std::fabs(value), digits, exponent);
            const std::string s = Scientific(digits, exponent);
            text += f.size() <= s.size() ? f : s;
        } else if (format == std::chars_format::fixed) {
            text += Fixed(std::fabs(value), digits, exponent);
        } else if (format == std::chars_format::scientific) {
            text += Scientific(digits, exponent);
        } else {  // general: %g's choice between the two, with the shortest digits
            const int p = static_cast<int>(digits.size());
            text += exponent < -4 || exponent >= std::max(p, 1)
                        ? Scientific(digits, exponent)
                        : Fixed(std::fabs(value), digits, exponent);
        }
    }
    if (static_cast<std::size_t>(last - first) < text.size())
        return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

}  // namespace portable

#if defined(__cpp_lib_to_chars)

std::from_chars_result FromChars(const char* first, const char* last, double& value,
                                 std::chars_format format) {
    return std::from_chars(first, last, value, format);
}
std::to_chars_result ToChars(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format) {
    return std::to_chars(first, last, value, format);
}
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) {
    return std::to_chars(first, last, value, format, precision);
}

#else

std::from_chars_result FromChars(const char* first, const char* last, double& value,
                                 std::chars_format format) {
    return portable::FromChars(first, last, value, format);
}
std::to_chars_result ToChars(char* first, char* last, double value) {
    return portable::ToChars(first, last, value, std::chars_format::general, true);
}
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format) {
    return portable::ToChars(first, last, value, format, false);
}
// The browser's C library prints in the C locale always.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) {
    char buffer[400];
    const int n =
        std::snprintf(buffer, sizeof buffer,
                      format == std::chars_format::scientific ? "%.*e" : "%.*f", precision, value);
    if (n < 0 || n >= static_cast<int>(sizeof buffer) || last - first < n)
        return {last, std::errc::value_too_large};
    std::memcpy(first, buffer, static_cast<std::size_t>(n));
    return {first + n, std::errc()};
}

#endif

}  // namespace linelab
