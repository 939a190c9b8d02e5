#pragma once
// The lesson reader's rules, for any bytes given as a lesson file: a refusal names the file
// on one line of valid UTF-8 and leaves the window exactly as it was; an accepted lesson leaves every
// control valid, and what it gives saves and opens again as the same window.

#include <cstdint>
#include <span>
#include <string>

namespace linelab::fuzz {

struct LessonCheck {
    std::string fault;  // the first broken rule, or empty
    bool accepted = false;
};

LessonCheck CheckLessonInput(std::span<const uint8_t> bytes);

}  // namespace linelab::fuzz
