#include <algorithm>

#include "tools/batch/BatchOptions.h"
#include "tools/batch/JsonString.h"
#include "tools/batch/StateDump.h"
#include "tools/batch/WriteDump.h"
#include "ui/Controls.h"

namespace linelab {
namespace {

constexpr std::string_view kRuns = "--runs";
constexpr std::string_view kDump = "--dump";
constexpr std::string_view kOptionList = "--runs N, --dump NAME[,NAME...], --help";

std::string Refusal(std::string_view problem) {
    return "linelab-batch: " + std::string(problem);
}

std::string DumpNameChoices() {
    std::string choices = std::string(kAllControlsName);
    for (std::string_view name : StateFieldNames())
        choices.append(", ").append(name);
    choices += "; or a control name:";
    for (std::string_view name : ControlNames())
        choices.append(" ").append(name);
    return choices;
}

// Adds the comma-separated names, each once.
std::optional<std::string> AddDumpNames(BatchOptions& options, std::string_view list) {
    options.dump = true;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (!IsDumpName(name)) {
            return Refusal("unknown dump name " + QuotedForMessage(name) +
                           "; valid names: " + DumpNameChoices());
        }
        auto& names = options.dumpNames;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
        if (comma == std::string_view::npos) return std::nullopt;
        list.remove_prefix(comma + 1);
    }
}

std::optional<std::string> SetRuns(BatchOptions& options, std::string_view text) {
    const auto runs = ParseRunCount(text);
    if (!runs) {
        return Refusal("--runs takes a whole number 0 or more, not " + QuotedForMessage(text));
    }
    options.runs = *runs;
    return std::nullopt;
}

std::optional<std::string> AddAssignment(BatchOptions& options, std::string_view arg) {
    const std::size_t equals = arg.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return Refusal("malformed assignment " + QuotedForMessage(arg) +
                       ": expected CONTROL=TEXT, for example cmbNoise=0.4, or one of the "
                       "options " +
                       std::string(kOptionList));
    }
    options.assignments.push_back(
        {std::string(arg.substr(0, equals)), std::string(arg.substr(equals + 1))});
    return std::nullopt;
}

// An option given as "--name value" or "--name=value"; i moves past what it used.
std::optional<std::string> TakeOption(BatchOptions& options, std::span<const std::string_view> args,
                                      std::size_t& i) {
    const std::string_view arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    if (name != kRuns && name != kDump) {
        return Refusal("unknown option " + QuotedForMessage(arg) + "; the options are " +
                       std::string(kOptionList));
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
        value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        return Refusal(std::string(name) + (name == kRuns
                                                ? " needs a value: a whole number 0 or more"
                                                : " needs a value: NAME[,NAME...]"));
    }
    return name == kRuns ? SetRuns(options, value) : AddDumpNames(options, value);
}

}  // namespace

std::optional<uint64_t> ParseRunCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t runs = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        const uint64_t max = std::numeric_limits<uint64_t>::max();
        runs = runs > (max - digit) / 10 ? max : runs * 10 + digit;
    }
    return runs;
}

ParsedArguments ParseArguments(std::span<const std::string_view> args) {
    ParsedArguments parsed;
    const auto isHelp = [](std::string_view a) { return a == "--help" || a == "-h"; };
    if (std::any_of(args.begin(), args.end(), isHelp)) {
        parsed.options.help = true;
        return parsed;
    }
    for (std::size_t i = 0; i < args.size() && !parsed.error; ++i) {
        if (args[i].starts_with("-")) {
            parsed.error = TakeOption(parsed.options, args, i);
        } else {
            parsed.error = AddAssignment(parsed.options, args[i]);
        }
    }
    return parsed;
}

}  // namespace linelab
