#pragma once
// The levels' second moments over one run, exactly: E[a_n a_m] for the 128 symbols a run
// sends, over the data source's distribution, computed from the settings without running
// them. What the transmit spectrum tends to and what a run sends on average both follow from
// it and the transmit response.

#include <array>
#include <optional>
#include <vector>

#include "common/RunState.h"
#include "common/Tables.h"

namespace linelab {

// The transmitter's choices the levels depend on.
struct LevelSettings {
    std::optional<DataSource> data;
    std::optional<PreCoding> preCode;
    std::optional<LineCoding> code;
    std::optional<Format> format;
    friend bool operator==(const LevelSettings&, const LevelSettings&) = default;
};

// r[n][m] = E[a_n a_m], a_n the level of symbol n as the mapper writes it (before any scale).
using LevelMatrix = std::vector<std::array<double, kSymbols>>;

// Empty for a setting left unrecognised and for DataSource::ExponentialRuns, whose bits no small
// state machine describes.
std::optional<LevelMatrix> LevelCorrelation(const LevelSettings& settings);

// The sums along its diagonals, lag[d] = sum over n of E[a_n a_n+d], which is all a run's
// mean energy needs: the same figures as summing LevelCorrelation, at a 128th of the work
// (one pass over the states, not one per symbol pair). Empty where LevelCorrelation is.
using LevelLags = std::array<double, kSymbols>;
std::optional<LevelLags> LevelLagSums(const LevelSettings& settings);

}  // namespace linelab
