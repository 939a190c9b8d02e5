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

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    AppendLiteral(out, std::string(text));
}

}  // namespace linelab
