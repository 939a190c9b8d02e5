#pragma once
// Eb/N0 and Es/N0 of a setting, read off the noise computation rather than measured.
//
// The noise step draws complex white noise of deviation sigma per part and sample, with
//     sigma = sqrt(N * P) * dBaudRate / sqrt 2,
// where N is the level in W/kHz and P the transmit-filter output's energy per symbol slot
// (sum of squared samples over the run / 128). The receive filter is applied to that noise
// alone, and only the real part of the received waveform is sampled, so the receiver sees
// real white noise of variance sigma^2 per sample. With energies counted as sums of squared
// samples (the same unit as P), white noise of variance sigma^2 has the two-sided density
// N0 / 2 = sigma^2, so
//     N0 = 2 sigma^2 = N * P * dBaudRate^2,
//     Es / N0 = P / N0 = 1 / (N * dBaudRate^2),
//     Eb / N0 = (Es / N0) * (symbols per data bit).
// P cancels: the ratio is set by the level and the symbol rate alone, as it should be.
//
// Symbols per data bit is what the line code and the level mapping really spend: 1 for the
// plain codes, 2 for the Manchester codes, 5/4 for the 4B5B codes, halved for 4-PAM. It
// equals dBaudRate except for the 4B5B codes, whose symbol rate is kept at 1.2 (the noise
// and the displays use that figure) while five code bits carry four data bits.

#include <optional>

#include "common/LinkConfig.h"

namespace linelab {

struct SignalToNoise {
    double dEbN0dB = 0;
    double dEsN0dB = 0;
};

// Symbols sent per data bit for a transmit line code and level mapping (an unset code counts
// as none and an unset mapping as a two-level one, as the symbol rate does).
double SymbolsPerDataBit(std::optional<LineCoding> code, std::optional<Format> format);

// The ratios for a noise level N in W/kHz; nullopt when N is not positive (no noise).
std::optional<SignalToNoise> SignalToNoiseOf(double level, double dBaudRate,
                                             double symbolsPerDataBit);

// The ratios of a configuration as the next tick will apply them: nullopt when no noise is
// applied.
std::optional<SignalToNoise> SignalToNoiseOf(const LinkConfig& config);

// The noise level in W/kHz that gives the wanted Eb/N0 in dB: the inverse of the above.
double NoiseLevelForEbN0(double ebN0dB, double dBaudRate, double symbolsPerDataBit);

}  // namespace linelab
