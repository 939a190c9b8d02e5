#pragma once
// Texts for the case names of parameterized tests. The test listing turns each printed
// parameter into part of a CTest name, so the text must stay on one line, short, and free
// of the characters CMake lists and scripts treat specially.

#include <cstddef>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "common/Tables.h"
#include "ui/ListTexts.h"

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

// The settings print as their list texts. Test files include this header rather than print
// these types themselves, so that every file of a test program prints them the same way.
namespace test {
template <std::size_t N>
void PrintListItem(const std::array<std::string_view, N>& names, std::size_t i, std::ostream* os) {
    if (i >= N)
        *os << "item " << i;
    else
        *os << names[i];
}
}  // namespace test

inline void PrintTo(DataSource v, std::ostream* os) {
    test::PrintListItem(kDataSourceNames, static_cast<std::size_t>(v), os);
}
inline void PrintTo(PreCoding v, std::ostream* os) {
    test::PrintListItem(kPreCodingNames, static_cast<std::size_t>(v), os);
}
inline void PrintTo(LineCoding v, std::ostream* os) {
    test::PrintListItem(kLineCodeNames, static_cast<std::size_t>(v), os);
}
inline void PrintTo(Format v, std::ostream* os) {
    test::PrintListItem(kFormatNames, static_cast<std::size_t>(v), os);
}

}  // namespace linelab
