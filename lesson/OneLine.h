#pragma once
// Messages are one line of valid UTF-8 whatever a file's name or contents hold: a name with
// a newline must not split a message, and a stray byte must not reach a terminal, a log or
// a message box (which would show it as garbage or refuse the whole text). Whatever they
// quote is cut to a fixed length too: a file or an argument of a megabyte must not make a
// message of a megabyte.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace linelab {

// How much of a value (a typed text, an option's value, a key or token of a file) a
// message quotes, and how much of a file name it shows.
inline constexpr std::size_t kQuotedBytes = 60;
inline constexpr std::size_t kFileNameBytes = 160;
// The most any whole message holds, whatever its parts: the last guard before it is shown.
// The longest the programs make themselves (the batch tool's list of dump names) is about
// 1,200 bytes.
inline constexpr std::size_t kMessageBytes = 4096;

// The text with its valid UTF-8 kept; control characters (C0, DEL, C1, the line and paragraph
// separators) and bytes that are not part of a well-formed UTF-8 sequence written as \n, \t, \r,
// \xNN or \u0085.
std::string OneLine(std::string_view text);

// OneLine(text), cut to at most maxBytes at a character boundary with "..." marking the cut.
std::string CutForMessage(std::string_view text, std::size_t maxBytes = kQuotedBytes);

// The text as a JSON string literal for a message: quotes, backslashes and control
// characters (DEL, C1 and the line separators too) escaped, each ill-formed UTF-8 sequence
// one U+FFFD; a text longer than maxBytes is cut at a character boundary and marked with
// "..." after the closing quote.
std::string QuotedForMessage(std::string_view text, std::size_t maxBytes = kQuotedBytes);

// A file name for a message: OneLine, and when longer than kFileNameBytes its start and its
// end (where the file's own name is) with "..." between.
std::string FileNameForMessage(const std::filesystem::path& file);

// The last guard on a message about to be shown or printed: one line, at most
// kMessageBytes.
std::string MessageForDisplay(std::string_view message);

}  // namespace linelab
