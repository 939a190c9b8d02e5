#include "analysis/SignalToNoise.h"

#include <cmath>

#include "common/Tables.h"

namespace linelab {
namespace {

// Code bits per data bit of each line code, in the order of the line-code table.
constexpr double kCodeBitsPerDataBit[] = {1.0, 1.0, 2.0, 2.0, 1.25, 1.25};

double ToDecibels(double ratio) {
    return 10.0 * std::log10(ratio);
}

}  // namespace

double SymbolsPerDataBit(std::optional<LineCoding> code, std::optional<Format> format) {
    double symbols = code ? kCodeBitsPerDataBit[static_cast<int>(*code)] : 1.0;
    if (format == Format::Pam4) symbols /= 2;
    return symbols;
}

std::optional<SignalToNoise> SignalToNoiseOf(double level, double dBaudRate,
                                             double symbolsPerDataBit) {
    if (!(level > 0) || !(dBaudRate > 0) || !(symbolsPerDataBit > 0)) return std::nullopt;
    const double esN0 = 1.0 / (level * dBaudRate * dBaudRate);
    return SignalToNoise{ToDecibels(esN0 * symbolsPerDataBit), ToDecibels(esN0)};
}

std::optional<SignalToNoise> SignalToNoiseOf(const LinkConfig& config) {
    const auto code = config.code[0];
    const auto format = config.format[0];
    return SignalToNoiseOf(config.noiseLevel, SymbolRate(code, format),
                           SymbolsPerDataBit(code, format));
}

double NoiseLevelForEbN0(double ebN0dB, double dBaudRate, double symbolsPerDataBit) {
    const double ebN0 = std::pow(10.0, ebN0dB / 10.0);
    return symbolsPerDataBit / (ebN0 * dBaudRate * dBaudRate);
}

}  // namespace linelab
