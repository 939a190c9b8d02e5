#pragma once
// Texts as JSON string literals. Control texts are the bytes a user typed; they pass
// through as UTF-8 when they are valid UTF-8, and every ill-formed sequence becomes one
// U+FFFD, so whatever was typed the output is valid JSON.

#include <string>
#include <string_view>

#include "lesson/OneLine.h"

namespace linelab {

// Appends text as a quoted JSON string: quotes, backslashes and control characters
// escaped, ill-formed UTF-8 replaced.
void AppendJsonString(std::string& out, std::string_view text);

// QuotedForMessage (lesson/OneLine.h) gives the same literal for a one-line message.

}  // namespace linelab
