#pragma once
// Test doubles for the form model: a canvas that counts what is done to it, an observer
// that records what it is told, and a text dump of every control for whole-model checks.

#include <string>
#include <utility>
#include <vector>

#include "display/Canvas.h"
#include "ui/Form1.h"

namespace linelab::test {

class CountingCanvas : public NullCanvas {
  public:
    CountingCanvas() : NullCanvas(200 * kUnitsPerPixel, 150 * kUnitsPerPixel) {}
    void Clear() override { ++clears; }
    void Line(double, double, double, double) override { ++lines; }
    int clears = 0;
    int lines = 0;
};

// Attaches a counting canvas to every picture panel of a form.
struct CanvasSet {
    explicit CanvasSet(Form1& form);
    CountingCanvas& operator[](PictureId id) { return canvases[static_cast<std::size_t>(id)]; }
    void Reset();
    std::array<CountingCanvas, CountOf<PictureId>()> canvases;
};

struct Recorder : FormObserver {
    explicit Recorder(const ControlSet& c) : controls(c) {}
    explicit Recorder(const Form1& f) : controls(f.Controls()) {}
    void ControlChanged(ControlRef, std::string_view name) override { changed.emplace_back(name); }
    void TimerChanged(const TimerControl& timer) override { timers.push_back(timer); }
    void Report(std::string_view message, bool stopsTimer) override {
        messages.emplace_back(std::string(message), stopsTimer);
        timerEnabledAtReport.push_back(controls.Timer().enabled);
    }
    bool WasChanged(std::string_view name) const;

    const ControlSet& controls;
    std::vector<std::string> changed;
    std::vector<TimerControl> timers;
    std::vector<std::pair<std::string, bool>> messages;
    std::vector<bool> timerEnabledAtReport;
};

// Every property of every control, one line each.
std::string Dump(const Form1& form);

std::vector<std::string> Items(const Form1& form, ListId id);

}  // namespace linelab::test
