// linelab-batch: the simulation without a window, for bit error rate tables and scripts.

#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "lesson/GuidedLesson.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"
#include "tools/batch/BatchOptions.h"
#include "tools/batch/BatchSession.h"
#include "tools/batch/HelpText.h"
#include "tools/batch/MeasureDump.h"
#include "tools/batch/RunStatEye.h"
#include "tools/batch/RunSweep.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;
constexpr int kTimerStopped = 3;

// A failed write (a full disk, a closed pipe) must not end in a success status.
int Print(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (written && std::fflush(stdout) == 0) return kDone;
    std::fputs("linelab-batch: the output could not be written\n", stderr);
    return kFailed;
}

// Every message is one line of bounded length, whatever it quotes.
void Complain(const std::string& message) {
    std::cerr << linelab::MessageForDisplay(message) << '\n';
}

int SweepToStdout(linelab::BatchSession& session, const linelab::SweepOptions& options) {
    const int status = linelab::RunSweep(session.Form(), options, std::cout, std::cerr);
    if (status == kFailed || !(std::cout << std::flush)) {
        std::fputs("linelab-batch: the output could not be written\n", stderr);
        return kFailed;
    }
    return status;
}

int StatEyeToStdout(linelab::BatchSession& session, linelab::StatEyeOutput output) {
    const int status = linelab::RunStatEye(session.Form(), output, std::cout, std::cerr);
    if (status == kFailed || !(std::cout << std::flush)) {
        std::fputs("linelab-batch: the output could not be written\n", stderr);
        return kFailed;
    }
    return status;
}

int SaveLessonIfAsked(const linelab::BatchSession& session, const linelab::BatchOptions& options) {
    if (options.saveLesson.empty()) return kDone;
    const auto asked = options.force ? linelab::AskedFirst::Yes : linelab::AskedFirst::No;
    if (const auto problem = linelab::SaveLesson(session.Form(), options.saveLesson, asked)) {
        Complain("linelab-batch: " + *problem);
        return kFailed;
    }
    return kDone;
}

// A read-only file (or one with other names) is refused before anything runs, so no run is
// lost to it; the save itself refuses it too.
int CheckSaveTarget(const linelab::BatchOptions& options) {
    if (options.saveLesson.empty() || options.force) return kDone;
    if (const auto reason = linelab::AskBeforeReplacing(options.saveLesson)) {
        Complain("linelab-batch: " + linelab::FileNameForMessage(options.saveLesson) + ": " +
                 *reason + "; --force replaces it");
        return kFailed;
    }
    return kDone;
}

// The lesson's start, or with --step N the settings of its step N. The tool always runs: a
// lesson saved while the window was paused still runs here.
std::optional<std::string> OpenLessonAt(linelab::BatchSession& session,
                                        const linelab::BatchOptions& options) {
    constexpr auto kIgnore = linelab::LessonRunState::Ignore;
    if (!options.step) return linelab::OpenLesson(session.Form(), options.lesson, kIgnore);
    std::string text;
    if (auto problem = linelab::ReadLessonText(options.lesson, text)) return problem;
    linelab::GuidedLesson lesson;
    if (auto problem = linelab::ReadGuidedLessonText(session.Form(), text, options.lesson, lesson))
        return problem;
    if (*options.step >= lesson.Positions()) {
        return linelab::FileNameForMessage(options.lesson) + ": --step " +
               std::to_string(*options.step) + ": the lesson has " +
               std::to_string(lesson.steps.size()) + " step(s); 0 is its start";
    }
    if (auto problem = linelab::ShowLessonStep(session.Form(), lesson,
                                               static_cast<std::size_t>(*options.step), kIgnore))
        return linelab::FileNameForMessage(options.lesson) + ": " + *problem;
    return std::nullopt;
}

int RunBatch(const std::vector<std::string_view>& args) {
    const linelab::ParsedArguments parsed = linelab::ParseArguments(args);
    if (parsed.error) {
        Complain(*parsed.error);
        return kRefused;
    }
    const linelab::BatchOptions& options = parsed.options;
    if (options.help) return Print(linelab::HelpText());
    if (const int checked = CheckSaveTarget(options); checked != kDone) return checked;

    linelab::BatchSession session(std::cerr);
    if (options.dump && linelab::NeedsMeasurements(options.dumpNames)) session.Measure();
    if (!options.lesson.empty()) {
        if (const auto refusal = OpenLessonAt(session, options)) {
            Complain("linelab-batch: " + *refusal);
            return kRefused;
        }
    }
    if (const auto refusal = session.Apply(options.assignments)) {
        Complain(*refusal);
        return kRefused;
    }
    if (options.sweep) {
        // A sweep runs on engines of its own: the settings are what the lesson keeps.
        const int saved = SaveLessonIfAsked(session, options);
        return saved != kDone ? saved : SweepToStdout(session, *options.sweep);
    }
    if (options.statEye) {
        // Computed from the settings, not run: the settings are what the lesson keeps.
        const int saved = SaveLessonIfAsked(session, options);
        return saved != kDone ? saved : StatEyeToStdout(session, *options.statEye);
    }
    session.Run(options.runs);
    if (const int saved = SaveLessonIfAsked(session, options); saved != kDone) return saved;
    const int printed = Print(session.Output(options));
    if (printed != kDone) return printed;
    return session.TimerStopped() ? kTimerStopped : kDone;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string_view> args(argv + 1, argv + argc);
        return RunBatch(args);
    } catch (const std::exception& e) {
        Complain(std::string("linelab-batch: ") + e.what());
        return kFailed;
    }
}
