#include "lesson/OneLine.h"

#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

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

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The longest head of `text` of at most maxBytes that ends on a character boundary. A run
// of more than three continuation bytes is no character anyway, so it is cut anywhere.
std::size_t HeadCut(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t cut = maxBytes;
    for (int back = 0; back < 3 && cut > 0 && IsContinuation(text[cut]); ++back)
        --cut;
    return IsContinuation(text[cut]) ? maxBytes : cut;
}

// The same for a tail: where the last at most maxBytes start.
std::size_t TailCut(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return 0;
    std::size_t cut = text.size() - maxBytes;
    for (int ahead = 0; ahead < 3 && cut < text.size() && IsContinuation(text[cut]); ++ahead)
        ++cut;
    return cut;
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

std::string CutForMessage(std::string_view text, std::size_t maxBytes) {
    // Only the part that can be shown is escaped: an escape takes at most four bytes for one.
    const std::string line = OneLine(text.substr(0, HeadCut(text, maxBytes + 1)));
    const std::size_t cut = HeadCut(line, maxBytes);
    if (cut == line.size() && text.size() <= maxBytes) return line;
    return line.substr(0, cut) + "...";
}

std::string QuotedForMessage(std::string_view text, std::size_t maxBytes) {
    const std::size_t cut = HeadCut(text, maxBytes);
    const std::string literal = nlohmann::json(std::string(text.substr(0, cut)))
                                    .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    // The library leaves DEL, C1 controls and the line separators as they are.
    std::string out;
    out.reserve(literal.size() + 3);
    std::string_view rest = literal;
    while (!rest.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = std::max<std::size_t>(SequenceLength(rest, codePoint), 1);
        if (codePoint == 0x7F || (codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028 ||
            codePoint == 0x2029) {
            AppendEscape(out, "\\u%04x", static_cast<unsigned>(codePoint));
        } else {
            out.append(rest.substr(0, length));
        }
        rest.remove_prefix(length);
    }
    if (cut < text.size()) out += "...";
    return out;
}

std::string FileNameForMessage(const std::filesystem::path& file) {
    const std::string& name = file.native();
    const std::size_t half = kFileNameBytes / 2;
    if (name.size() <= kFileNameBytes) return CutForMessage(name, kFileNameBytes);
    const std::string head = OneLine(std::string_view(name).substr(0, HeadCut(name, half)));
    const std::string tail = OneLine(std::string_view(name).substr(TailCut(name, half)));
    return head.substr(0, HeadCut(head, half)) + "..." + tail.substr(TailCut(tail, half));
}

std::string MessageForDisplay(std::string_view message) {
    return CutForMessage(message, kMessageBytes);
}

}  // namespace linelab
