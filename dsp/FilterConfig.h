#pragma once
// The filter and channel settings as the design pass takes them: already parsed into types
// and numbers by the form model, or held directly by an owner without a window.

#include <array>
#include <cstdint>
#include <optional>

namespace linelab {

// The filter types in list order. Matched is the receiver's mirror of the transmit filter;
// at the transmitter it passes nothing.
enum class FilterType : uint8_t { None, SteepCutoff, SinglePole, RC, RootRC, Matched };

// One side's filter, at the window's start-up values unless set. Values outside the ranges
// are limited again by the pass, so any record gives a defined design.
struct SideFilter {
    // Empty: no type; that side passes nothing.
    std::optional<FilterType> type = FilterType::SteepCutoff;
    int iPulseWidth = 16;      // sixteenths of a symbol, 1..16 (the transmitter's pulse)
    double bandwidth = 4;      // kHz, 0.1..6 in hundredths (the non-raised-cosine types)
    int excessBandwidth = 50;  // percent, 1..100 (the raised-cosine types)
    friend bool operator==(const SideFilter&, const SideFilter&) = default;
};

struct FilterConfig {
    std::array<SideFilter, 2> side;  // 0 transmitter, 1 receiver
    // The channel's band edges in kHz; empty means no edge on that side.
    std::optional<double> lowPass;
    std::optional<double> highPass;
    friend bool operator==(const FilterConfig&, const FilterConfig&) = default;
};

// True for the types that use the excess bandwidth rather than the bandwidth.
inline bool UsesExcessBandwidth(std::optional<FilterType> type) {
    return type == FilterType::RC || type == FilterType::RootRC;
}

// The pulse width in whole percent, as the box shows it: 6, 13, 19, ..., 94, 100.
int PulseWidthPercent(int sixteenths);

}  // namespace linelab
