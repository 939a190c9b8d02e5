#pragma once
// The items of the window's lists, in list order, and their default texts.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "ui/ListTexts.h"

namespace linelab {

inline constexpr auto kLineCodeItems = kLineCodeNames;
inline constexpr auto kFormatItems = kFormatNames;

// The filter types; "Matched" is offered only at the receiver, and the raised-cosine
// shapes only for a full-width pulse.
inline constexpr std::string_view kMatched = Name(FilterType::Matched);
inline constexpr std::string_view kRc = Name(FilterType::RC);
inline constexpr std::string_view kRootRc = Name(FilterType::RootRC);
inline constexpr auto kFilterItemsFull = kFilterTypeNames;
// The full list without the raised-cosine shapes, in its order ("Matched" stays last).
inline constexpr auto kFilterItemsNarrow = [] {
    std::array<std::string_view, kFilterItemsFull.size() - 2> items{};
    std::size_t n = 0;
    for (const std::string_view item : kFilterItemsFull)
        if (item != kRc && item != kRootRc) items[n++] = item;
    return items;
}();
static_assert(kFilterItemsNarrow.back() == kMatched);

inline constexpr std::array<std::string_view, 8> kBandwidthItems = {"4",   "2",   "1",   "0.7",
                                                                    "0.5", "0.4", "0.3", "0.2"};
inline constexpr std::array<std::string_view, 5> kExcessBandwidthItems = {"100", "80", "50", "30",
                                                                          "10"};
inline constexpr std::array<std::string_view, 7> kHighPassItems = {"None", "0.01", "0.02", "0.05",
                                                                   "0.1",  "0.2",  "0.5"};
inline constexpr std::array<std::string_view, 9> kLowPassItems = {
    "None", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"};
inline constexpr std::array<std::string_view, 7> kNoiseItems = {"None", "0.1", "0.2", "0.4",
                                                                "0.6",  "0.8", "1.0"};
inline constexpr std::array<std::string_view, 7> kMultipathDelayItems = {"0.0", "0.2", "0.4", "0.6",
                                                                         "0.8", "1.0", "1.5"};
inline constexpr std::array<std::string_view, 6> kMultipathMagItems = {"0",  "20", "40",
                                                                       "60", "80", "100"};
inline constexpr std::array<std::string_view, 7> kSceneItems = {
    "Just Data", "Tx Codes", "Tx Filter", "Full Tx", "Straight", "Noise", "Full Channel"};

inline constexpr std::string_view kFullWidth = "100";  // the pulse width every format offers

// The filter types list of side `index` (0 transmitter, 1 receiver) for a full-width pulse
// or a narrower one.
inline std::span<const std::string_view> FilterItems(int index, bool fullWidth) {
    const std::span<const std::string_view> all =
        fullWidth ? std::span<const std::string_view>(kFilterItemsFull)
                  : std::span<const std::string_view>(kFilterItemsNarrow);
    return index == 1 ? all : all.first(all.size() - 1);
}

}  // namespace linelab
