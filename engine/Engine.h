#pragma once
// The simulation engine: the run state, one tick of the frame loop, and the commands its
// owner gives between ticks. Nothing outside the engine writes the run state; owners read it
// through State(). An engine shares nothing mutable with any other, so engines may tick in
// different threads at once.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "common/RunState.h"
#include "common/Tables.h"
#include "engine/LinkReference.h"
#include "ports/Frame.h"
#include "ports/Panels.h"
#include "ports/TickInputs.h"

namespace linelab {

class Engine {
  public:
    Engine();
    // Resumes from the given run state (a saved run, or an extreme one a test sets up);
    // nullptr starts afresh.
    explicit Engine(std::unique_ptr<RunState> start);

    // One run: the design pass when the responses are stale, the transmit half and the
    // receive half, from the inputs alone: it calls nothing of the owner's. Returns what the
    // run computed and what it asks of the owner's controls (see ports/Frame.h); the frame
    // stays valid until the next command or tick. Drawing it is the owner's business
    // (display/DrawFrame.h).
    const Frame& Tick(const TickInputs& inputs);
    // Folds the last tick's run into the running bit error rate and completes its frame with
    // the restart flag and the caption. The owner calls it once it has applied the frame's
    // control changes, whose handlers may restart the rate; a second call does nothing.
    const Frame& AccumulateBer();
    // The responses are stale: the next tick runs the design pass on its filter inputs.
    bool NeedsDesign() const { return !state_->bFiltersValid; }

    // ---- commands ---------------------------------------------------------------------
    // The filter, channel or rate settings changed: the next tick designs the responses anew.
    void InvalidateResponses();
    // The symbol rate in kbaud relative to the data rate (see SymbolRate).
    void SetSymbolRate(double dBaudRate);
    // The running bit error rate starts again with the next run.
    void RestartBer();
    // The default thresholds of the receiver's format (left as they are for an unknown one).
    // Returns the slider position that goes with the new T0.
    int LoadDefaultThresholds(std::optional<Format> receiverFormat);
    // The threshold slider moved to `slider`: the thresholds follow it (SetThresholds).
    // Returns the position they were set from, which the slider must show: 99 when a
    // multi-threshold pattern met the top.
    int ApplyThresholdSlider(int slider, Reporter& reporter);
    // Starts the generator of data, scrambler and noise from a seed of the owner's choosing
    // (every engine starts from the same fixed seed otherwise).
    void SeedGenerator(uint64_t seed);

    const RunState& State() const { return *state_; }
    // The record the last tick ran on, with the reference the engine filled in.
    const LinkConfig& Config() const { return config_; }

  private:
    // The faults of one tick, kept for its frame.
    class MessageLog final : public Reporter {
      public:
        std::vector<Fault> messages;
        void Report(Fault fault) override { messages.push_back(fault); }
    };

    std::unique_ptr<RunState> state_;  // about half a megabyte: kept off the stack
    LinkConfig config_;                // copied from the inputs every tick
    Frame frame_;
    MessageLog log_;
    // The last reference formed, for these settings and this design pass.
    std::optional<LinkReferenceKey> referenceKey_;
    uint64_t designs_ = 0;  // design passes so far
    uint64_t referenceDesign_ = 0;
    LinkReference reference_;
    void FillReference();
};

}  // namespace linelab
