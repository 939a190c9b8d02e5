#pragma once
// The window without a window: the form model at its start-up state, the assignments
// applied to it, the ticks run one after another, and the messages the window would show
// in a box written as "message: TEXT" lines.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "tools/batch/BatchOptions.h"
#include "ui/Form1.h"
#include "ui/Measurements.h"

namespace linelab {

class BatchSession final : public FormObserver {
  public:
    // messages: where the lines go (standard error in the tool).
    explicit BatchSession(std::ostream& messages);
    ~BatchSession() override;
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // Left to right; stops at the first refusal and returns its reason.
    std::optional<std::string> Apply(std::span<const Assignment> assignments);

    // From now on every run also feeds the measurements beside the panels (the counts
    // behind the BER, the receive eye's opening); they cost time, so only dumps that name
    // them turn them on.
    void Measure();

    // Up to `runs` ticks; none once the timer is off (a run that meets a setting it cannot
    // handle disables it). Returns the number of ticks run.
    uint64_t Run(uint64_t runs);

    bool TimerStopped() const { return !form_.Timer().enabled; }

    // The output line, or the dump when names are given.
    std::string Output(const BatchOptions& options) const;

    Form1& Form() { return form_; }
    const Form1& Form() const { return form_; }

    void Report(std::string_view message, bool stopsTimer) override;

  private:
    std::ostream& messages_;
    Form1 form_;
    std::unique_ptr<Measurements> measurements_;
};

}  // namespace linelab
