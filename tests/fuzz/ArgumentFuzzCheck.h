#pragma once
// linelab-batch's command line, for any bytes: the input is the arguments, each ended by a
// NUL. A refusal is one line of valid UTF-8, without control characters, starting with the
// tool's name and at most kMessageBytes long; an accepted line's assignments are applied as
// the tool applies them, with the same rule for their refusals, and its dump is valid JSON.
// Files are never touched: --lesson and --save-lesson are parsed only.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace linelab::fuzz {

struct ArgumentCheck {
    std::string fault;  // the first broken rule, or empty
    bool accepted = false;
};

std::vector<std::string> SplitArguments(std::span<const uint8_t> bytes);
ArgumentCheck CheckArgumentInput(std::span<const uint8_t> bytes);

}  // namespace linelab::fuzz
