// linelab-batch: the simulation without a window, for bit error rate tables and scripts.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/batch/BatchOptions.h"
#include "tools/batch/BatchSession.h"
#include "tools/batch/HelpText.h"
#include "tools/batch/MeasureDump.h"
#include "tools/batch/RunSweep.h"
#include "lesson/Lesson.h"

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

int SweepToStdout(linelab::BatchSession& session, const linelab::SweepOptions& options) {
    const int status = linelab::RunSweep(session.Form(), options, std::cout, std::cerr);
    if (status == kFailed || !(std::cout << std::flush)) {
        std::fputs("linelab-batch: the output could not be written\n", stderr);
        return kFailed;
    }
    return status;
}

int SaveLessonIfAsked(const linelab::BatchSession& session, const linelab::BatchOptions& options) {
    if (options.saveLesson.empty()) return kDone;
    if (const auto problem = linelab::SaveLesson(session.Form(), options.saveLesson)) {
        std::cerr << "linelab-batch: " << *problem << '\n';
        return kFailed;
    }
    return kDone;
}

int RunBatch(const std::vector<std::string_view>& args) {
    const linelab::ParsedArguments parsed = linelab::ParseArguments(args);
    if (parsed.error) {
        std::cerr << *parsed.error << '\n';
        return kRefused;
    }
    const linelab::BatchOptions& options = parsed.options;
    if (options.help) return Print(linelab::HelpText());

    linelab::BatchSession session(std::cerr);
    if (options.dump && linelab::NeedsMeasurements(options.dumpNames)) session.Measure();
    if (!options.lesson.empty()) {
        // The tool always runs: a lesson saved while the window was paused still runs here.
        if (const auto refusal = linelab::OpenLesson(session.Form(), options.lesson,
                                                     linelab::LessonRunState::Ignore)) {
            std::cerr << "linelab-batch: " << *refusal << '\n';
            return kRefused;
        }
    }
    if (const auto refusal = session.Apply(options.assignments)) {
        std::cerr << *refusal << '\n';
        return kRefused;
    }
    if (options.sweep) {
        // A sweep runs on engines of its own: the settings are what the lesson keeps.
        const int saved = SaveLessonIfAsked(session, options);
        return saved != kDone ? saved : SweepToStdout(session, *options.sweep);
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
        std::cerr << "linelab-batch: " << e.what() << '\n';
        return kFailed;
    }
}
