#include "analysis/BerCountText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/BinomialInterval.h"

namespace linelab {
namespace {

int DecimalExponent(double x) {
    return static_cast<int>(std::floor(std::log10(x)));
}

// x / 10^exponent with the given decimals, then "e" and the exponent: 0.85e-3.
std::string ScaledText(double x, int exponent, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*fe%d", decimals, x / std::pow(10.0, exponent), exponent);
    return text;
}

}  // namespace

std::string RateText(double rate) {
    if (!(rate > 0) || !std::isfinite(rate)) return "0";
    int exponent = DecimalExponent(rate);
    // 9.96e-6 reads 1.0e-5, not 10.0e-6.
    if (std::round(rate / std::pow(10.0, exponent) * 10) >= 100) ++exponent;
    return ScaledText(rate, exponent, 1);
}

std::string GroupedCount(uint64_t count) {
    const std::string digits = std::to_string(count);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

namespace {

std::string CountText(uint64_t errors, uint64_t bits, const BinomialInterval& interval) {
    std::string text = GroupedCount(errors) + (errors == 1 ? " error in " : " errors in ") +
                       GroupedCount(bits) + " bits";
    if (bits == 0) return text;
    const int exponent = DecimalExponent(interval.dHigh);
    if (errors == 0)
        return text + ", below " + ScaledText(interval.dHigh, exponent, 1) + " at 95 %";
    return text + ", 95 %: " + ScaledText(interval.dLow, exponent, 2) + " to " +
           ScaledText(interval.dHigh, exponent, 2);
}

}  // namespace

std::string BerCountText(uint64_t errors, uint64_t bits) {
    if (errors > bits) errors = bits;
    return CountText(errors, bits, bits == 0 ? BinomialInterval{} : ClopperPearson(errors, bits));
}

std::string BerCountText(uint64_t errors, uint64_t bits, const RateInterval& interval) {
    if (errors > bits) errors = bits;
    if (bits == 0) return CountText(0, 0, {});
    return CountText(errors, bits, interval.interval) + " (" +
           std::string(MethodName(interval.method)) + ")";
}

std::string BerCountLine(uint64_t errors, uint64_t bits, const RateInterval& interval) {
    std::string text = BerCountText(errors, bits, interval);
    if (errors == 0 || bits == 0) return text;
    const double rate = static_cast<double>(std::min(errors, bits)) / static_cast<double>(bits);
    // The caption's four decimals, truncated, read 0 below one error in 10,000 bits.
    if (rate * 10000 < 1) text = RateText(rate) + ": " + text;
    return text;
}

}  // namespace linelab
