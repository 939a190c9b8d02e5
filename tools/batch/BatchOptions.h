#pragma once
// The command line of linelab-batch:
//     linelab-batch [--runs N] [--dump NAME[,NAME...]] [--lesson FILE [--step N]]
//                   [--save-lesson FILE [--force]] [CONTROL=TEXT ...]
//     linelab-batch --stateye | --bathtub [--lesson FILE] [CONTROL=TEXT ...]

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/batch/RunStatEye.h"
#include "tools/batch/SweepOptions.h"

namespace linelab {

// A refused argument's message, as every option's refusal begins.
inline std::string Refusal(std::string_view problem) {
    return "linelab-batch: " + std::string(problem);
}

struct Assignment {
    std::string control;
    std::string text;
};

struct BatchOptions {
    bool help = false;
    uint64_t runs = 1;
    bool dump = false;
    std::vector<std::string> dumpNames;    // each once, in the order first asked for
    std::vector<Assignment> assignments;   // left to right
    std::optional<SweepOptions> sweep;     // --sweep: a CSV curve instead of the runs
    std::optional<StatEyeOutput> statEye;  // --stateye, --bathtub: a CSV computed, not run
    std::string lesson;                    // opened before the assignments; empty: none
    std::optional<uint64_t> step;          // --step: the lesson's position (0: its start)
    std::string saveLesson;                // written after the runs; empty: none
    bool force = false;  // --force: the save replaces a read-only file or one with other names
};

struct ParsedArguments {
    BatchOptions options;
    std::optional<std::string> error;  // the one-line refusal, when the line is refused
};

// Checks the options, the dump names and the form of every assignment; whether an
// assignment's control and text are acceptable is decided when it is applied.
ParsedArguments ParseArguments(std::span<const std::string_view> args);

// Reads a count: decimal digits only, no sign or blanks, at most 2^64-1; anything else
// reads as nothing.
std::optional<uint64_t> ParseRunCount(std::string_view text);

}  // namespace linelab
