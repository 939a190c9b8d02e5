#pragma once
// The owner of an engine without a window (a sweep's chunk, a fast run, the benchmarks, the
// tests): the configuration and filter settings as plain records, the threshold slider as a
// number with the window's change handling, the views that take each frame (the spectrum
// averages), the frames drawn on the given panels (if any), and the messages. One per engine; like
// the engine, it may live in any thread.

#include <cstdint>
#include <optional>

#include "display/FrameViews.h"
#include "engine/Engine.h"

namespace linelab {

class RecordPorts final : public Reporter {
  public:
    // panels: where each frame is drawn (not owned); nullptr draws nothing.
    explicit RecordPorts(Engine& engine, Panels* panels = nullptr);

    // One tick of the engine from these records; afterwards what the frame asks is applied
    // as the window applies it (ports/Frame.h), and the frame drawn on the panels.
    const Frame& Tick();

    LinkConfig config;
    FilterConfig filters;
    int slider = 0;  // the threshold slider
    ViewSettings viewSettings;
    FrameViews views;                   // what the views keep, fed by every frame
    std::optional<Fault> firstMessage;  // since the last ClearMessages
    std::optional<Fault> lastMessage;
    int64_t messageCount = 0;

    void ClearMessages();

    // The threshold slider's change, with the window's handling.
    void SetThresholdSlider(int value);
    void Report(Fault fault) override;

  private:
    Engine& engine_;
    Panels* panels_;
};

}  // namespace linelab
