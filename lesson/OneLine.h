#pragma once
// Messages are one line of valid UTF-8 whatever a file's name or contents hold: a name with
// a newline must not split a message, and a stray byte must not reach a terminal, a log or
// a message box (which would show it as garbage or refuse the whole text).

#include <string>
#include <string_view>

namespace linelab {

// The text with its valid UTF-8 kept; control characters (C0, DEL, C1, the line and paragraph
// separators) and bytes that are not part of a well-formed UTF-8 sequence written as \n, \t, \r,
// \xNN or \u0085.
std::string OneLine(std::string_view text);

}  // namespace linelab
