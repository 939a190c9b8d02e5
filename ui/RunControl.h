#pragma once
// Run control: the state behind cmdPause and Timer1. The button's caption, the timer's enabled
// flag and its interval all follow from the state, in RunControl.cpp alone.

#include <cstdint>
#include <string_view>

namespace linelab {

enum class RunMode : uint8_t {
    Running,        // "Pause", 100 ms
    Slow,           // "Slow", 1000 ms
    Stopped,        // "Cont", the timer off: the user paused
    HaltedRunning,  // a message stopped the timer while running: "Pause" stays, 100 ms
    HaltedSlow,     // a message stopped the timer while slow: "Slow" stays, 1000 ms
};

class RunControl {
  public:
    RunMode Mode() const { return mode_; }
    std::string_view Caption() const;
    bool Enabled() const;
    int Interval() const;  // milliseconds

    // A click on cmdPause: running -> "Cont" (stopped) -> "Slow" (1000 ms) -> "Pause"
    // (100 ms). A timer a message stopped resumes slowly, whatever the caption says.
    void PauseClick();
    // A message that stops the timer: the caption stays as it was until the next click.
    void Halt();

  private:
    RunMode mode_ = RunMode::Running;
};

}  // namespace linelab
