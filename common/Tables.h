#pragma once
// The vocabularies of the transmit chain: data sources, pre-codings, line codes and level
// mappings, each one table in list order. A setting is recognised by the exact text of its
// list item; stages work with the ids, looked up once per tick.

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

inline constexpr std::array<std::string_view, 7> kDataSourceNames = {
    "Random Data", "Exponential Runs", "PRBS Length 7", "75% Zeros",
    "75% Ones",    "All Zeros",        "All Ones"};

inline constexpr std::array<std::string_view, 3> kPreCodingNames = {"None", "Differential",
                                                                    "Scramble"};

struct LineCodeInfo {
    std::string_view name;
    int16_t iCodeBaud;  // strip time scale of one code bit
    double baseRate;    // symbol rate relative to the data rate, before the 4-PAM halving
};

inline constexpr std::array<LineCodeInfo, 6> kLineCodes = {{
    {"None", 12, 1.0},
    {"Differential", 12, 1.0},
    {"Manchester", 24, 2.0},
    {"Diff. Manchester", 24, 2.0},
    {"4B5B", 15, 1.2},
    {"4B5B + NRZI", 15, 1.2},
}};

inline constexpr double kSqrt2 = 1.4142135623730950488;
// 1/sqrt 2 as the quotient the program has always computed: one step below the double
// nearest the true value, so that the threshold slider of the unipolar and three-level
// formats reads 100 - Int(100 * T0 / sqrt 2) = 51.
inline constexpr double kInvSqrt2 = 1.0 / kSqrt2;
inline constexpr double kSqrt5 = 2.2360679774997896964;

enum class FormatClass { TwoLevel, ThreeLevel, FourLevel };

struct FormatInfo {
    std::string_view name;
    FormatClass kind;
    double amplitude;                  // A: dScale = A * 16 / iTxDutyCycle
    std::array<double, 4> thresholds;  // default T0..T3 when the format is chosen
    bool fullWidthOnly;                // only the pulse width "100" is offered
    int16_t iMin, iMax;                // level range of the modulated strips
};

inline constexpr std::array<FormatInfo, 8> kFormats = {{
    {"Unipolar (N)RZ",
     FormatClass::TwoLevel,
     kSqrt2,
     {kInvSqrt2, kInvSqrt2, kInvSqrt2, kInvSqrt2},
     false,
     -1,
     1},
    {"Unipolar (N)RZI",
     FormatClass::TwoLevel,
     kSqrt2,
     {kInvSqrt2, kInvSqrt2, kInvSqrt2, kInvSqrt2},
     false,
     -1,
     1},
    {"Polar (N)RZ", FormatClass::TwoLevel, 1.0, {0, 0, 0, 0}, false, -1, 1},
    {"Polar (N)RZI", FormatClass::TwoLevel, 1.0, {0, 0, 0, 0}, false, -1, 1},
    {"AMI",
     FormatClass::ThreeLevel,
     kSqrt2,
     {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2},
     true,
     -1,
     1},
    {"MLT3",
     FormatClass::ThreeLevel,
     kSqrt2,
     {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2},
     true,
     -1,
     1},
    {"HDB3",
     FormatClass::ThreeLevel,
     1.328,
     {kInvSqrt2, -kInvSqrt2, kInvSqrt2, kInvSqrt2},
     true,
     -1,
     1},
    {"4-PAM",
     FormatClass::FourLevel,
     0.6,
     {2.8 / kSqrt5, 0, -2.8 / kSqrt5, 2.8 / kSqrt5},
     false,
     -3,
     3},
}};

inline constexpr std::array<std::string_view, 4> kPulseWidths = {"100", "75", "50", "25"};

// Index of the entry whose name equals text exactly, if any.
template <typename Enum, typename Table>
constexpr std::optional<Enum> FindByName(const Table& table, std::string_view text) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if constexpr (requires { table[i].name; }) {
            if (table[i].name == text) return static_cast<Enum>(i);
        } else {
            if (table[i] == text) return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

inline std::optional<DataSource> FindDataSource(std::string_view t) {
    return FindByName<DataSource>(kDataSourceNames, t);
}
inline std::optional<PreCoding> FindPreCoding(std::string_view t) {
    return FindByName<PreCoding>(kPreCodingNames, t);
}
inline std::optional<LineCoding> FindLineCode(std::string_view t) {
    return FindByName<LineCoding>(kLineCodes, t);
}
inline std::optional<Format> FindFormat(std::string_view t) {
    return FindByName<Format>(kFormats, t);
}
inline const LineCodeInfo& Info(LineCoding c) {
    return kLineCodes[static_cast<std::size_t>(c)];
}
inline const FormatInfo& Info(Format f) {
    return kFormats[static_cast<std::size_t>(f)];
}

// The levels a format's decisions choose between, lowest first, in its own level numbers.
std::span<const int16_t> DecisionLevels(Format format);

// The list item of an id; empty for an unknown one.
inline std::string_view NameOr(std::optional<DataSource> id) {
    return id ? kDataSourceNames[static_cast<std::size_t>(*id)] : std::string_view();
}
inline std::string_view NameOr(std::optional<PreCoding> id) {
    return id ? kPreCodingNames[static_cast<std::size_t>(*id)] : std::string_view();
}
inline std::string_view NameOr(std::optional<LineCoding> id) {
    return id ? Info(*id).name : std::string_view();
}
inline std::string_view NameOr(std::optional<Format> id) {
    return id ? Info(*id).name : std::string_view();
}

// The symbol rate in kbaud relative to the 1 kbit/s data rate: 1.0, 2.0 for the Manchester
// codes, 1.2 for the 4B5B codes, halved for four levels. No code counts as none, and no
// format as a two-level one.
double SymbolRate(std::optional<LineCoding> code, std::optional<Format> format);

// iCodeBaud of a line code: 12, 24 for the Manchester codes, 15 for the 4B5B codes (12 for
// none).
int16_t CodeBaud(std::optional<LineCoding> code);

}  // namespace linelab
