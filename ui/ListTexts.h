#pragma once
// The list texts of the transmit chain's settings and of the filter types, one table per
// list in the order of its ids. The core works with the ids only; a setting's text is
// recognised here, by its exact list item, and turned into its id once.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/Tables.h"
#include "dsp/FilterConfig.h"

namespace linelab {

inline constexpr std::array<std::string_view, 7> kDataSourceNames = {
    "Random Data", "Exponential Runs", "PRBS Length 7", "75% Zeros",
    "75% Ones",    "All Zeros",        "All Ones"};

inline constexpr std::array<std::string_view, 3> kPreCodingNames = {"None", "Differential",
                                                                    "Scramble"};

inline constexpr std::array<std::string_view, 6> kLineCodeNames = {
    "None", "Differential", "Manchester", "Diff. Manchester", "4B5B", "4B5B + NRZI"};

inline constexpr std::array<std::string_view, 8> kFormatNames = {
    "Unipolar (N)RZ", "Unipolar (N)RZI", "Polar (N)RZ", "Polar (N)RZI", "AMI", "MLT3", "HDB3",
    "4-PAM"};

// "Matched" is the receiver's mirror of the transmit filter.
inline constexpr std::array<std::string_view, 6> kFilterTypeNames = {
    "None", "SteepCutoff", "SinglePole", "RC", "Root RC", "Matched"};

inline constexpr std::array<std::string_view, 4> kPulseWidths = {"100", "75", "50", "25"};

// Every id has its text: the tables are as long as the core's tables of numbers.
static_assert(kLineCodeNames.size() == kLineCodes.size());
static_assert(kFormatNames.size() == kFormats.size());

// The id whose list item equals text exactly, if any.
template <typename Enum, std::size_t N>
constexpr std::optional<Enum> FindByName(const std::array<std::string_view, N>& names,
                                         std::string_view text) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text) return static_cast<Enum>(i);
    return std::nullopt;
}

inline std::optional<DataSource> FindDataSource(std::string_view t) {
    return FindByName<DataSource>(kDataSourceNames, t);
}
inline std::optional<PreCoding> FindPreCoding(std::string_view t) {
    return FindByName<PreCoding>(kPreCodingNames, t);
}
inline std::optional<LineCoding> FindLineCode(std::string_view t) {
    return FindByName<LineCoding>(kLineCodeNames, t);
}
inline std::optional<Format> FindFormat(std::string_view t) {
    return FindByName<Format>(kFormatNames, t);
}
inline std::optional<FilterType> FindFilterType(std::string_view t) {
    return FindByName<FilterType>(kFilterTypeNames, t);
}

// The list item of an id.
inline constexpr std::string_view Name(DataSource id) {
    return kDataSourceNames[static_cast<std::size_t>(id)];
}
inline constexpr std::string_view Name(PreCoding id) {
    return kPreCodingNames[static_cast<std::size_t>(id)];
}
inline constexpr std::string_view Name(LineCoding id) {
    return kLineCodeNames[static_cast<std::size_t>(id)];
}
inline constexpr std::string_view Name(Format id) {
    return kFormatNames[static_cast<std::size_t>(id)];
}
inline constexpr std::string_view Name(FilterType id) {
    return kFilterTypeNames[static_cast<std::size_t>(id)];
}

// The list item of an id; empty for an unknown one.
template <typename Id>
std::string_view NameOr(std::optional<Id> id) {
    return id ? Name(*id) : std::string_view();
}

}  // namespace linelab
