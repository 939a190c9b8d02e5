#include "tools/batch/JsonString.h"

#include <nlohmann/json.hpp>

namespace linelab {
namespace {

// The library escapes quotes, backslashes and C0 controls and replaces each maximal
// ill-formed sequence with one U+FFFD. DEL it leaves as it is; the dump has always written
// it escaped, and scripts compare dumps byte for byte, so it stays escaped.
void AppendLiteral(std::string& out, const std::string& text) {
    const std::string literal =
        nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    for (char c : literal) {
        if (c == '\x7f') {
            out += "\\u007f";
        } else {
            out += c;
        }
    }
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Where a cut at most maxBytes long ends: never inside a character, so the quoted part
// stays whole. A run of more than three continuation bytes is no character anyway.
std::size_t CutPoint(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t cut = maxBytes;
    for (int back = 0; back < 3 && cut > 0 && IsContinuation(text[cut]); ++back)
        --cut;
    return IsContinuation(text[cut]) ? maxBytes : cut;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    AppendLiteral(out, std::string(text));
}

std::string QuotedForMessage(std::string_view text, std::size_t maxBytes) {
    const std::size_t cut = CutPoint(text, maxBytes);
    std::string out;
    AppendLiteral(out, std::string(text.substr(0, cut)));
    if (cut < text.size()) out += "...";
    return out;
}

}  // namespace linelab
