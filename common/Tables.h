#pragma once
// The vocabularies of the transmit chain: data sources, pre-codings, line codes and level
// mappings, as ids in list order, and the numbers each line code and format brings. Their
// texts belong to the form model (ui/ListTexts.h).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace linelab {

enum class DataSource { Random, ExponentialRuns, Prbs7, Zeros75, Ones75, AllZeros, AllOnes };
enum class PreCoding { None, Differential, Scramble };
enum class LineCoding { None, Differential, Manchester, DiffManchester, FourB5B, FourB5BNrzi };
enum class Format { UnipolarNrz, UnipolarNrzi, PolarNrz, PolarNrzi, Ami, Mlt3, Hdb3, Pam4 };

// Every id of a list, in list order.
inline constexpr std::array<LineCoding, 6> kAllLineCodings = {
    LineCoding::None,           LineCoding::Differential, LineCoding::Manchester,
    LineCoding::DiffManchester, LineCoding::FourB5B,      LineCoding::FourB5BNrzi};
inline constexpr std::array<Format, 8> kAllFormats = {
    Format::UnipolarNrz, Format::UnipolarNrzi, Format::PolarNrz, Format::PolarNrzi,
    Format::Ami,         Format::Mlt3,         Format::Hdb3,     Format::Pam4};

struct LineCodeInfo {
    int16_t iCodeBaud;  // strip time scale of one code bit
    double baseRate;    // symbol rate relative to the data rate, before the 4-PAM halving
};

inline constexpr std::array<LineCodeInfo, 6> kLineCodes = {{
    {12, 1.0},  // None
    {12, 1.0},  // Differential
    {24, 2.0},  // Manchester
    {24, 2.0},  // DiffManchester
    {15, 1.2},  // FourB5B
    {15, 1.2},  // FourB5BNrzi
}};

inline constexpr double kSqrt2 = 1.4142135623730950488;
// 1/sqrt 2 as the quotient the program has always computed: one step below the double
// nearest the true value, so that the threshold slider of the unipolar and three-level
// formats reads 100 - Int(100 * T0 / sqrt 2) = 51.
inline constexpr double kInvSqrt2 = 1.0 / kSqrt2;
inline constexpr double kSqrt5 = 2.2360679774997896964;

enum class FormatClass { TwoLevel, ThreeLevel, FourLevel };

struct FormatInfo {
    FormatClass kind;
    double amplitude;                  // A: dScale = A * 16 / iTxDutyCycle
    std::array<double, 4> thresholds;  // default T0..T3 when the format is chosen
    bool fullWidthOnly;                // only the pulse width "100" is offered
    int16_t iMin, iMax;                // level range of the modulated strips
};

inline constexpr std::array<FormatInfo, 8> kFormats = {{
    // UnipolarNrz, UnipolarNrzi, PolarNrz, PolarNrzi, Ami, Mlt3, Hdb3, Pam4
    {FormatClass::TwoLevel, kSqrt2, {kInvSqrt2, kInvSqrt2, kInvSqrt2, kInvSqrt2}, false, -1, 1},
    {FormatClass::TwoLevel, kSqrt2, {kInvSqrt2, kInvSqrt2, kInvSqrt2, kInvSqrt2}, false, -1, 1},
    {FormatClass::TwoLevel, 1.0, {0, 0, 0, 0}, false, -1, 1},
    {FormatClass::TwoLevel, 1.0, {0, 0, 0, 0}, false, -1, 1},
    {FormatClass::ThreeLevel, kSqrt2, {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2}, true, -1, 1},
    {FormatClass::ThreeLevel, kSqrt2, {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2}, true, -1, 1},
    {FormatClass::ThreeLevel, 1.328, {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2}, true, -1, 1},
    {FormatClass::FourLevel, 0.6, {2.8 / kSqrt5, 0, -2.8 / kSqrt5, 2.8 / kSqrt5}, false, -3, 3},
}};

static_assert(kAllLineCodings.size() == kLineCodes.size());
static_assert(kAllFormats.size() == kFormats.size());

inline const LineCodeInfo& Info(LineCoding c) {
    return kLineCodes[static_cast<std::size_t>(c)];
}
inline const FormatInfo& Info(Format f) {
    return kFormats[static_cast<std::size_t>(f)];
}

// The levels a format's decisions choose between, lowest first, in its own level numbers.
std::span<const int16_t> DecisionLevels(Format format);

// The symbol rate in kbaud relative to the 1 kbit/s data rate: 1.0, 2.0 for the Manchester
// codes, 1.2 for the 4B5B codes, halved for four levels. No code counts as none, and no
// format as a two-level one.
double SymbolRate(std::optional<LineCoding> code, std::optional<Format> format);

// iCodeBaud of a line code: 12, 24 for the Manchester codes, 15 for the 4B5B codes (12 for
// none).
int16_t CodeBaud(std::optional<LineCoding> code);

}  // namespace linelab
