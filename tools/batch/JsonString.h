#pragma once
// Texts as JSON string literals. Control texts are the bytes a user typed; they pass
// through as UTF-8 when they are valid UTF-8, and every ill-formed sequence becomes one
// U+FFFD, so whatever was typed the output is valid JSON.

#include <cstddef>
#include <string>
#include <string_view>

namespace linelab {

// Appends text as a quoted JSON string: quotes, backslashes and control characters
// escaped, ill-formed UTF-8 replaced.
void AppendJsonString(std::string& out, std::string_view text);

// The same literal for a one-line message: texts longer than maxBytes are cut at a
// character boundary and marked with "..." after the closing quote.
std::string QuotedForMessage(std::string_view text, std::size_t maxBytes = 60);

}  // namespace linelab
