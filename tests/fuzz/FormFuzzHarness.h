#pragma once
// Drives a Form1 with a sequence of user actions decoded from a byte string, with a
// checking canvas on every panel and a checking observer as its view, and checks the
// form's rules after every action and every tick. Shared by the libFuzzer target and the
// replay test.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tests/fuzz/CheckingCanvas.h"
#include "tests/fuzz/CheckingObserver.h"
#include "tests/fuzz/FuzzAction.h"
#include "ui/Form1.h"

namespace linelab::fuzz {

struct HarnessLimits {
    // Bounds on one byte string, so every input runs in a bounded time.
    int maxActions = 256;
    int maxTicks = 48;
};

class FormFuzzHarness {
  public:
    explicit FormFuzzHarness(HarnessLimits limits = {});
    ~FormFuzzHarness();
    FormFuzzHarness(const FormFuzzHarness&) = delete;
    FormFuzzHarness& operator=(const FormFuzzHarness&) = delete;

    // Replays every action the bytes decode to, within the limits, stopping at the first
    // broken rule. Returns its description, or an empty string.
    std::string Run(std::span<const uint8_t> bytes);

    // One action followed by the checks; the first broken rule or an empty string.
    std::string Step(const Action& action);

    // The actions replayed so far, one line of C++ each, and the broken rule if any: what a
    // failing test prints so the sequence can be replayed by hand.
    std::string Reproducer(const std::string& fault) const;

    const Form1& Form() const { return *form_; }
    Form1& MutableForm() { return *form_; }
    int Ticks() const { return ticks_; }
    const CheckingObserver& Observer() const { return *observer_; }
    const CheckingCanvas& CanvasOf(PictureId id) const {
        return *canvases_[static_cast<std::size_t>(id)];
    }

  private:
    Action Resolved(const Action& action) const;
    void Perform(const Action& action);
    void PerformByName(const Action& action);
    std::string TickAndCheck();
    void Resize(PictureId id, int width, int height);
    std::string CheckAll() const;
    std::string CheckRefusal(const Action& action, bool accepted, const std::string& before) const;

    HarnessLimits limits_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<CheckingObserver> observer_;
    std::array<std::unique_ptr<CheckingCanvas>, CountOf<PictureId>()> canvases_;
    std::vector<std::string> log_;
    int ticks_ = 0;
    int actions_ = 0;
    bool lastAccepted_ = true;
};

}  // namespace linelab::fuzz
