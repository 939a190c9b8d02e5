#pragma once
// What a fixed noise density and midway thresholds refer to: figures of a configuration, not
// of a run. Both are averages over the data source's distribution, computed once when the
// settings or the responses change.

#include <optional>

#include "common/LinkConfig.h"
#include "common/RunState.h"

namespace linelab {

struct LinkReference {
    // Expected transmit-filter output energy per symbol slot (the unit EnergyPerSlot uses);
    // 0 when it cannot be formed (unknown list entries).
    double energyPerSlot = 0;
    // Thresholds midway between the noise-free received level means at the sampling
    // instants, laid out as DecideLevel reads them; nullopt when they cannot be formed
    // (unknown entries, transmit and receive mappings that differ, a level never sent).
    std::optional<Thresholds> midway;
    // True when two levels arrive with the same mean: no thresholds can tell them apart, and
    // midway stays empty.
    bool levelsInseparable = false;
};

// The reference of a configuration with these responses (designed for it).
LinkReference ComputeLinkReference(const LinkConfig& config, const Responses& responses,
                                   double dBaudRate);

// The expected transmit-filter output energy per slot in closed form: the levels' exact
// correlation over a run (transmit/LevelCorrelation.h) through the transmit response. Empty
// where the levels have no such model (DataSource::ExponentialRuns) or an entry is unknown.
std::optional<double> ExpectedEnergyPerSlot(const LinkConfig& config, const Responses& responses);

// The same expectation estimated as the mean over `runs` runs from a fixed seed, with its
// standard error: the reference where the closed form does not apply, and its check.
struct EnergyEstimate {
    double mean = 0;  // 0 when a list entry is unknown
    double standardError = 0;
};
EnergyEstimate SimulatedEnergyPerSlot(const LinkConfig& config, const Responses& responses,
                                      int runs);

// The settings a reference depends on besides the responses: equal keys, equal references.
struct LinkReferenceKey {
    std::optional<DataSource> data;
    std::optional<PreCoding> preCode;
    std::optional<LineCoding> code;
    std::array<std::optional<Format>, 2> format;
    int16_t iPulseWidth = 0;
    double echoGain = 0;
    int echoDelay = 0;
    bool invert = false;
    int samplingOffset = 0;
    friend bool operator==(const LinkReferenceKey&, const LinkReferenceKey&) = default;
};
LinkReferenceKey ReferenceKeyOf(const LinkConfig& config);

}  // namespace linelab
