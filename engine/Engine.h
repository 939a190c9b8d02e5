#pragma once
// The simulation engine: the run state and one tick of the frame loop.

#include <memory>

#include "common/RunState.h"
#include "common/Settings.h"
#include "ports/Host.h"

namespace linelab {

class Engine {
  public:
    Engine();

    // One run: the design pass when the responses are stale, the transmit half, the
    // receive half, the strips, eyes and spectra of the checked panels, the BER caption.
    void Tick(Host& host);

    // The counters of RestartPics(index): index 0 restarts the transmit spectrum average,
    // index 1 the receive and channel averages; every index restarts the bit error rate.
    // Clearing the pictures themselves is the owner's business.
    void RestartCounters(int index);

    RunState& State() { return *state_; }
    const RunState& State() const { return *state_; }

  private:
    std::unique_ptr<RunState> state_;  // about half a megabyte: kept off the stack
    Settings settings_;                // reused every tick, so reading it does not allocate
};

}  // namespace linelab
