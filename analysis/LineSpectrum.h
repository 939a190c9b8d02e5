#pragma once
// The expected transmit spectrum of a link: what the transmit spectrum panel's running mean
// tends to after many runs, point for point and in the same units, computed from the
// settings alone rather than by running them.

#include <optional>

#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "common/Signal.h"

namespace linelab {

// The transmitter's settings the theory depends on.
struct LineSpectrumSettings {
    std::optional<DataSource> data;
    std::optional<PreCoding> preCode;
    std::optional<LineCoding> code;
    std::optional<Format> format;
    int16_t iPulseWidth = 16;  // sixteenths of a symbol
    friend bool operator==(const LineSpectrumSettings&, const LineSpectrumSettings&) = default;
};

LineSpectrumSettings TransmitSettingsOf(const LinkConfig& config);

// Points 0..511 hold the expected power there; the rest are 0. dTxResponse is the transmit
// response of the design pass (pulse and filter together), dBaudRate the symbol rate the
// panel maps its points with. Empty for a setting left unrecognised and for the data sources
// whose bits no small state machine describes (ExponentialRuns) and for Format::Hdb3, whose
// substitutions reach back into symbols already sent.
std::optional<SpectrumAverage> ExpectedTransmitSpectrum(const LineSpectrumSettings& settings,
                                                        const Signal& dTxResponse,
                                                        double dBaudRate);

}  // namespace linelab
