#pragma once
// The simulation engine: the run state, one tick of the frame loop, and the commands its
// owner gives between ticks. Nothing outside the engine writes the run state; owners read it
// through State(). An engine shares nothing mutable with any other, so engines may tick in
// different threads at once.

#include <cstdint>
#include <memory>
#include <optional>

#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "common/Tables.h"
#include "engine/LinkReference.h"
#include "ports/Frame.h"
#include "ports/Panels.h"
#include "ports/TickPorts.h"

namespace linelab {

class Engine {
  public:
    Engine();
    // Resumes from the given run state (a saved run, or an extreme one a test sets up);
    // nullptr starts afresh.
    explicit Engine(std::unique_ptr<RunState> start);

    // One run: the design pass when the responses are stale, the transmit half, the
    // receive half and the BER caption. Returns what the run computed; it stays valid until
    // the next command or tick. Drawing it is the owner's business (display/DrawFrame.h).
    const Frame& Tick(const TickPorts& ports);

    // ---- commands ---------------------------------------------------------------------
    // The filter, channel or rate settings changed: the next tick designs the responses anew.
    void InvalidateResponses();
    // The symbol rate in kbaud relative to the data rate (see SymbolRate).
    void SetSymbolRate(double dBaudRate);
    // The counters of RestartPics(index): index 0 restarts the transmit spectrum average,
    // index 1 the receive and channel averages; every index restarts the bit error rate.
    // Clearing the pictures themselves is the owner's business.
    void RestartCounters(int index);
    // One spectrum panel's average starts again with the next run.
    void RestartSpectrum(SpectrumPanel panel);
    // The running bit error rate starts again with the next run.
    void RestartBer();
    // The default thresholds of the receiver's format (left as they are for an unknown one).
    // Returns the slider position that goes with the new T0.
    int LoadDefaultThresholds(std::optional<Format> receiverFormat);
    // The threshold slider moved: the thresholds follow it (SetThresholds).
    void ApplyThresholdSlider(ControlWriter& controls, Reporter& reporter);
    // The transmit eye scale for a position of vscTxEyeScale.
    void SetTxEyeScale(int vscTxEyeScale);
    // Empties the stored memory trace; it stays "stored", so a copy is taken again only when
    // the memory box is checked anew.
    void EmptyMemoryTrace();
    // Starts the generator of data, scrambler and noise from a seed of the owner's choosing
    // (every engine starts from the same fixed seed otherwise).
    void SeedGenerator(uint64_t seed);

    const RunState& State() const { return *state_; }
    // The record the last tick ran on, with the reference the engine filled in.
    const LinkConfig& Config() const { return config_; }

  private:
    std::unique_ptr<RunState> state_;  // about half a megabyte: kept off the stack
    LinkConfig config_;                // read afresh every tick
    Frame frame_;
    // The last reference formed, for these settings and this design pass.
    std::optional<LinkReferenceKey> referenceKey_;
    uint64_t designs_ = 0;  // design passes so far
    uint64_t referenceDesign_ = 0;
    LinkReference reference_;
    void FillReference();
};

}  // namespace linelab
