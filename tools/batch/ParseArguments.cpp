#include <CLI/CLI.hpp>
#include <algorithm>

#include "tools/batch/BatchOptions.h"
#include "tools/batch/JsonString.h"
#include "tools/batch/MeasureDump.h"
#include "tools/batch/StateDump.h"
#include "tools/batch/WriteDump.h"
#include "ui/Controls.h"

namespace linelab {
namespace {

constexpr std::string_view kRuns = "--runs";
constexpr std::string_view kDump = "--dump";
constexpr std::string_view kLesson = "--lesson";
constexpr std::string_view kStep = "--step";
constexpr std::string_view kSaveLesson = "--save-lesson";
constexpr std::string_view kForce = "--force";
constexpr std::string_view kStatEye = "--stateye";
constexpr std::string_view kBathtub = "--bathtub";
constexpr std::string_view kOptionList =
    "--runs N, --dump NAME[,NAME...], --lesson FILE, --step N, --save-lesson FILE, --force, "
    "--sweep EbN0=FROM:STEP:TO, --min-errors N, --max-bits N, --jobs N, --seed N, "
    "--runner folded|engine, --noise fixed|per-run, --thresholds midway|as-set, --stateye, "
    "--bathtub, --help";
// The sweep's options, each taking one value.
constexpr std::string_view kSweepOptions[] = {"--sweep", "--min-errors", "--max-bits",
                                              "--jobs",  "--seed",       "--runner",
                                              "--noise", "--thresholds"};

// What the parser collects; the texts are checked here, so the refusals keep their words.
struct RawArguments {
    std::vector<std::string> runs;
    std::vector<std::string> dumps;
    std::vector<std::string> lessons;
    std::vector<std::string> steps;
    std::vector<std::string> saveLessons;
    std::vector<std::string> assignments;
    std::vector<std::string> unknown;
    std::size_t force = 0;
    std::size_t statEye = 0;
    std::size_t bathtub = 0;
    RawSweepOptions sweep;
};

std::string UnknownOption(std::string_view arg) {
    return Refusal("unknown option " + QuotedForMessage(arg) + "; the options are " +
                   std::string(kOptionList));
}

std::string DumpNameChoices() {
    std::string choices = std::string(kAllControlsName);
    for (std::string_view name : StateFieldNames())
        choices.append(", ").append(name);
    for (std::string_view name : MeasureFieldNames())
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

// A count beyond 64 bits is refused with the limit named: capped, it would ask for more
// runs or bits than any machine finishes, and the tool would run until it is killed.
std::optional<std::string> CountBeyondLimit(std::string_view option, std::string_view text) {
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    if (!digits || ParseRunCount(text)) return std::nullopt;
    return Refusal(std::string(option) + " takes at most " +
                   std::to_string(std::numeric_limits<uint64_t>::max()) + ", not " +
                   QuotedForMessage(text));
}

std::optional<std::string> SetRuns(BatchOptions& options, std::string_view text) {
    if (auto refusal = CountBeyondLimit(kRuns, text)) return refusal;
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

// The parser would say in its own words that an option at the very end, or one with an
// empty "=", lacks a value; ours also say what the value is.
std::optional<std::string> MissingValue(std::span<const std::string_view> args) {
    BatchOptions unused;
    for (std::string_view arg : args) {
        if (arg == "--runs=") return SetRuns(unused, "");
        if (arg == "--dump=") return AddDumpNames(unused, "");
        if (arg == "--lesson=" || arg == "--save-lesson=")
            return Refusal(std::string(arg.substr(0, arg.size() - 1)) + " needs a value: FILE");
    }
    if (args.empty()) return std::nullopt;
    if (args.back() == kRuns) return Refusal("--runs needs a value: a whole number 0 or more");
    if (args.back() == kStep || args.back() == "--step=")
        return Refusal("--step needs a value: a whole number 0 or more");
    if (args.back() == kDump) return Refusal("--dump needs a value: NAME[,NAME...]");
    if (args.back() == kLesson || args.back() == kSaveLesson)
        return Refusal(std::string(args.back()) + " needs a value: FILE");
    for (std::string_view option : kSweepOptions) {
        if (args.back() == option || args.back() == std::string(option) + "=")
            return Refusal(std::string(option) + " needs a value (see --help)");
    }
    return std::nullopt;
}

// Options are "--name value" or "--name=value", repeatable (the last --runs counts); any
// other argument is an assignment. "--" is no option of ours, so it is refused as well.
std::optional<std::string> Collect(std::span<const std::string_view> args, RawArguments& raw) {
    if (auto missing = MissingValue(args)) return missing;
    if (std::find(args.begin(), args.end(), "--") != args.end()) return UnknownOption("--");
    CLI::App app("linelab-batch");
    app.set_help_flag();  // the help is ours: HelpText
    app.allow_extras();
    app.add_option(std::string(kRuns), raw.runs)->expected(1)->allow_extra_args(false)->take_all();
    app.add_option(std::string(kDump), raw.dumps)->expected(1)->allow_extra_args(false)->take_all();
    app.add_option(std::string(kLesson), raw.lessons)->expected(1)->allow_extra_args(false);
    app.add_option(std::string(kStep), raw.steps)->expected(1)->allow_extra_args(false);
    app.add_option(std::string(kSaveLesson), raw.saveLessons)->expected(1)->allow_extra_args(false);
    app.add_flag(std::string(kForce), raw.force);
    app.add_flag(std::string(kStatEye), raw.statEye);
    app.add_flag(std::string(kBathtub), raw.bathtub);
    std::vector<std::string>* sweepValues[] = {
        &raw.sweep.sweep, &raw.sweep.minErrors, &raw.sweep.maxBits, &raw.sweep.jobs,
        &raw.sweep.seed,  &raw.sweep.runner,    &raw.sweep.noise,   &raw.sweep.thresholds};
    for (std::size_t i = 0; i < std::size(kSweepOptions); ++i) {
        app.add_option(std::string(kSweepOptions[i]), *sweepValues[i])
            ->expected(1)
            ->allow_extra_args(false)
            ->take_all();
    }
    app.add_option("assignments", raw.assignments);
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        return Refusal(e.what());
    }
    raw.unknown = app.remaining();
    return std::nullopt;
}

// --stateye and --bathtub compute and print a CSV of their own: one of them, alone.
std::optional<std::string> CheckStatEye(const RawArguments& raw, BatchOptions& options) {
    if (raw.statEye == 0 && raw.bathtub == 0) return std::nullopt;
    if (raw.statEye > 0 && raw.bathtub > 0)
        return Refusal("--stateye and --bathtub each print their own CSV: give one of them");
    const std::string option(raw.statEye > 0 ? kStatEye : kBathtub);
    if (!raw.runs.empty() || !raw.dumps.empty() || options.sweep)
        return Refusal(option +
                       " prints its own CSV: it does not combine with --runs, --dump or --sweep");
    options.statEye = raw.statEye > 0 ? StatEyeOutput::Grid : StatEyeOutput::Bathtub;
    return std::nullopt;
}

std::optional<std::string> Check(const RawArguments& raw, BatchOptions& options) {
    for (const std::string& arg : raw.unknown) {
        if (arg.starts_with("-")) return UnknownOption(arg);
        if (auto refusal = AddAssignment(options, arg)) return refusal;
    }
    for (const std::string& runs : raw.runs)
        if (auto refusal = SetRuns(options, runs)) return refusal;
    for (const std::string& list : raw.dumps)
        if (auto refusal = AddDumpNames(options, list)) return refusal;
    for (const std::string& arg : raw.assignments)
        if (auto refusal = AddAssignment(options, arg)) return refusal;
    if (raw.lessons.size() > 1) return Refusal("--lesson may be given once");
    if (raw.saveLessons.size() > 1) return Refusal("--save-lesson may be given once");
    // An empty name would otherwise read as no option at all: the lesson quietly not
    // opened or not written.
    for (const auto* names : {&raw.lessons, &raw.saveLessons}) {
        if (!names->empty() && names->front().empty()) {
            return Refusal(std::string(names == &raw.lessons ? kLesson : kSaveLesson) +
                           " needs a file name, not an empty one");
        }
    }
    if (!raw.lessons.empty()) options.lesson = raw.lessons.front();
    if (raw.steps.size() > 1) return Refusal("--step may be given once");
    if (!raw.steps.empty()) {
        if (raw.lessons.empty())
            return Refusal("--step goes with --lesson: it picks a step of the lesson");
        if (auto refusal = CountBeyondLimit(kStep, raw.steps.front())) return refusal;
        options.step = ParseRunCount(raw.steps.front());
        if (!options.step) {
            return Refusal("--step takes a whole number 0 or more (0: the lesson's start), not " +
                           QuotedForMessage(raw.steps.front()));
        }
    }
    if (!raw.saveLessons.empty()) options.saveLesson = raw.saveLessons.front();
    if (raw.force > 0 && raw.saveLessons.empty())
        return Refusal(
            "--force goes with --save-lesson: it lets the save replace a read-only file");
    options.force = raw.force > 0;
    for (const auto& [option, texts] :
         {std::pair{"--min-errors", &raw.sweep.minErrors}, {"--max-bits", &raw.sweep.maxBits}}) {
        if (!texts->empty())
            if (auto refusal = CountBeyondLimit(option, texts->back())) return refusal;
    }
    CheckedSweep sweep = CheckSweepOptions(raw.sweep, !raw.runs.empty() || !raw.dumps.empty());
    if (sweep.error) return sweep.error;
    options.sweep = sweep.options;
    return CheckStatEye(raw, options);
}

}  // namespace

std::optional<uint64_t> ParseRunCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t runs = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        const uint64_t max = std::numeric_limits<uint64_t>::max();
        if (runs > (max - digit) / 10) return std::nullopt;
        runs = runs * 10 + digit;
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
    RawArguments raw;
    parsed.error = Collect(args, raw);
    if (!parsed.error) parsed.error = Check(raw, parsed.options);
    return parsed;
}

}  // namespace linelab
