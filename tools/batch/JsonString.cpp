#include "tools/batch/JsonString.h"

#include <array>
#include <cstdint>

namespace linelab {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The range a continuation byte must lie in: the second byte is narrower after some lead
// bytes, which rules out overlong forms, surrogates and code points above U+10FFFF.
struct Range {
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
};

// Number of bytes of the sequence a lead byte starts (0 for a byte that starts none), and
// the range of its second byte.
int SequenceLength(uint8_t lead, Range& second) {
    second = Range{};
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0) second.low = 0xA0;
        if (lead == 0xED) second.high = 0x9F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0) second.low = 0x90;
        if (lead == 0xF4) second.high = 0x8F;
        return 4;
    }
    return 0;
}

// Length of the well-formed sequence at the start of text, or, as a negative number, the
// length of its maximal ill-formed prefix (at least one byte), which one U+FFFD replaces.
int WellFormedLength(std::string_view text) {
    Range second;
    const int length = SequenceLength(static_cast<uint8_t>(text[0]), second);
    if (length == 0) return -1;
    for (int i = 1; i < length; ++i) {
        const Range range = i == 1 ? second : Range{};
        if (static_cast<std::size_t>(i) >= text.size()) return -i;
        const auto byte = static_cast<uint8_t>(text[static_cast<std::size_t>(i)]);
        if (byte < range.low || byte > range.high) return -i;
    }
    return length;
}

void AppendEscaped(std::string& out, char c) {
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    const auto byte = static_cast<uint8_t>(c);
    if (byte < 0x20 || byte == 0x7F) {
        out += "\\u00";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    } else {
        out += c;
    }
}

// Appends the escaped form of text[0, limit) and returns how many bytes it consumed; it
// stops before a character that would cross the limit.
std::size_t AppendBody(std::string& out, std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    while (i < text.size()) {
        const int length = WellFormedLength(text.substr(i));
        const std::size_t step = static_cast<std::size_t>(length < 0 ? -length : length);
        if (i + step > limit) break;
        if (length < 0) {
            out += kReplacement;
        } else if (length == 1) {
            AppendEscaped(out, text[i]);
        } else {
            out.append(text.substr(i, step));
        }
        i += step;
    }
    return i;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    AppendBody(out, text, text.size());
    out += '"';
}

std::string QuotedForMessage(std::string_view text, std::size_t maxBytes) {
    std::string out = "\"";
    const std::size_t used = AppendBody(out, text, maxBytes);
    out += '"';
    if (used < text.size()) out += "...";
    return out;
}

}  // namespace linelab
