#include "analysis/SignalToNoise.h"

#include <cmath>

#include "common/Tables.h"
#include "receiver/Noise.h"

namespace linelab {
namespace {

// Code bits per data bit of each line code, in the order of the line-code table.
constexpr double kCodeBitsPerDataBit[] = {1.0, 1.0, 2.0, 2.0, 1.25, 1.25};

double ToDecibels(double ratio) {
    return 10.0 * std::log10(ratio);
}

}  // namespace

double SymbolsPerDataBit(std::string_view transmitCode, std::string_view transmitFormat) {
    const auto code = FindLineCode(transmitCode);
    double symbols = code ? kCodeBitsPerDataBit[static_cast<int>(*code)] : 1.0;
    if (transmitFormat == Info(Format::Pam4).name) symbols /= 2;
    return symbols;
}

std::optional<SignalToNoise> SignalToNoiseOf(double level, double dBaudRate,
                                             double symbolsPerDataBit) {
    if (!(level > 0) || !(dBaudRate > 0) || !(symbolsPerDataBit > 0)) return std::nullopt;
    const double esN0 = 1.0 / (level * dBaudRate * dBaudRate);
    return SignalToNoise{ToDecibels(esN0 * symbolsPerDataBit), ToDecibels(esN0)};
}

std::optional<SignalToNoise> SignalToNoiseOf(const Settings& settings) {
    const std::string_view code = settings.cmbCode[0];
    const std::string_view format = settings.cmbMod[0];
    return SignalToNoiseOf(NoiseLevel(settings), SymbolRate(code, format),
                           SymbolsPerDataBit(code, format));
}

double NoiseLevelForEbN0(double ebN0dB, double dBaudRate, double symbolsPerDataBit) {
    const double ebN0 = std::pow(10.0, ebN0dB / 10.0);
    return symbolsPerDataBit / (ebN0 * dBaudRate * dBaudRate);
}

}  // namespace linelab
