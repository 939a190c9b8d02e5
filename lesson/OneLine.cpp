#include "lesson/OneLine.h"

#include <cstdint>
#include <cstdio>

namespace linelab {
namespace {

// The length of the well-formed UTF-8 sequence starting text[0] (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0.
std::size_t SequenceLength(std::string_view text, char32_t& codePoint) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void AppendEscape(std::string& out, const char* format, unsigned value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, value);
    out += escaped;
}

}  // namespace

std::string OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = SequenceLength(text, codePoint);
        if (length == 0) {
            AppendEscape(out, "\\x%02X", static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        if (codePoint == '\n') {
            out += "\\n";
        } else if (codePoint == '\t') {
            out += "\\t";
        } else if (codePoint == '\r') {
            out += "\\r";
        } else if (codePoint < 0x20 || codePoint == 0x7F) {
            AppendEscape(out, "\\x%02X", static_cast<unsigned>(codePoint));
        } else if ((codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028 ||
                   codePoint == 0x2029) {
            AppendEscape(out, "\\u%04X", static_cast<unsigned>(codePoint));
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace linelab
