#pragma once
// Texts for the case names of parameterized tests. The test listing turns each printed
// parameter into part of a CTest name, so the text must stay on one line, short, and free
// of the characters CMake lists and scripts treat specially.

#include <cstddef>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "common/Tables.h"
#include "dsp/FilterConfig.h"

namespace linelab::test {

// Quoted and cut to `keep` bytes (a longer text ends in "..." and its length); bytes outside
// printable ASCII, and the characters ' \ [ ] ; $ #, show as \xNN.
inline std::string ShortText(std::string_view text, std::size_t keep = 24) {
    constexpr std::string_view kSpecial = "'\\[];$#";
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < keep; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7f && kSpecial.find(text[i]) == std::string_view::npos) {
            out += text[i];
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(byte));
        out += hex;
    }
    out += '\'';
    if (text.size() > keep) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

}  // namespace linelab::test

namespace linelab {

// The settings' ids by the core's own names (their enumerators'), for case names and
// messages: the list texts belong to the form model, which a core test does not read.
namespace test {
#define LINELAB_ID_NAME(type, id) \
    case type::id:                \
        return #id;
constexpr std::string_view IdName(DataSource v) {
    switch (v) {
        LINELAB_ID_NAME(DataSource, Random)
        LINELAB_ID_NAME(DataSource, ExponentialRuns)
        LINELAB_ID_NAME(DataSource, Prbs7)
        LINELAB_ID_NAME(DataSource, Zeros75)
        LINELAB_ID_NAME(DataSource, Ones75)
        LINELAB_ID_NAME(DataSource, AllZeros)
        LINELAB_ID_NAME(DataSource, AllOnes)
    }
    return "DataSource?";
}
constexpr std::string_view IdName(PreCoding v) {
    switch (v) {
        LINELAB_ID_NAME(PreCoding, None)
        LINELAB_ID_NAME(PreCoding, Differential)
        LINELAB_ID_NAME(PreCoding, Scramble)
    }
    return "PreCoding?";
}
constexpr std::string_view IdName(LineCoding v) {
    switch (v) {
        LINELAB_ID_NAME(LineCoding, None)
        LINELAB_ID_NAME(LineCoding, Differential)
        LINELAB_ID_NAME(LineCoding, Manchester)
        LINELAB_ID_NAME(LineCoding, DiffManchester)
        LINELAB_ID_NAME(LineCoding, FourB5B)
        LINELAB_ID_NAME(LineCoding, FourB5BNrzi)
    }
    return "LineCoding?";
}
constexpr std::string_view IdName(Format v) {
    switch (v) {
        LINELAB_ID_NAME(Format, UnipolarNrz)
        LINELAB_ID_NAME(Format, UnipolarNrzi)
        LINELAB_ID_NAME(Format, PolarNrz)
        LINELAB_ID_NAME(Format, PolarNrzi)
        LINELAB_ID_NAME(Format, Ami)
        LINELAB_ID_NAME(Format, Mlt3)
        LINELAB_ID_NAME(Format, Hdb3)
        LINELAB_ID_NAME(Format, Pam4)
    }
    return "Format?";
}
constexpr std::string_view IdName(FilterType v) {
    switch (v) {
        LINELAB_ID_NAME(FilterType, None)
        LINELAB_ID_NAME(FilterType, SteepCutoff)
        LINELAB_ID_NAME(FilterType, SinglePole)
        LINELAB_ID_NAME(FilterType, RC)
        LINELAB_ID_NAME(FilterType, RootRC)
        LINELAB_ID_NAME(FilterType, Matched)
    }
    return "FilterType?";
}
#undef LINELAB_ID_NAME
// An id left unset names itself "Unset".
template <typename Id>
constexpr std::string_view IdName(std::optional<Id> v) {
    return v ? IdName(*v) : std::string_view("Unset");
}
}  // namespace test

// The settings print as those names. Test files include this header rather than print these
// types themselves, so that every file of a test program prints them the same way.
inline void PrintTo(DataSource v, std::ostream* os) {
    *os << test::IdName(v);
}
inline void PrintTo(PreCoding v, std::ostream* os) {
    *os << test::IdName(v);
}
inline void PrintTo(LineCoding v, std::ostream* os) {
    *os << test::IdName(v);
}
inline void PrintTo(Format v, std::ostream* os) {
    *os << test::IdName(v);
}

}  // namespace linelab
