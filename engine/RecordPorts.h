#pragma once
// The owner of an engine without a window (a sweep's worker, a fast run, the benchmarks):
// the settings and filter texts as plain records, the threshold slider as a number with the
// window's change handling, panels that draw nothing unless given, and the last message.
// One per engine; like the engine, it may live in any thread.

#include <cstdint>
#include <string>

#include "engine/Engine.h"

namespace linelab {

class RecordPorts final : public SettingsSource,
                          public FilterSettings,
                          public ControlWriter,
                          public Reporter {
  public:
    // panels: where the checked panels are drawn (not owned); nullptr draws nothing.
    explicit RecordPorts(Engine& engine, Panels* panels = nullptr);

    TickPorts Ports();

    Settings settings;
    FilterTexts filterTexts;
    int slider = 0;  // vscThreshold
    std::string berCaption;
    std::string lastMessage;
    int64_t messageCount = 0;

    void ReadSettings(Settings& out) override { out = settings; }
    void ReadFilterTexts(FilterTexts& out) override { out = filterTexts; }
    void WriteFilterText(FilterBox box, int side, std::string_view text) override;
    int ThresholdSlider() override { return slider; }
    void SetThresholdSlider(int value) override;
    void SetBerCaption(std::string_view caption) override { berCaption.assign(caption); }
    void Report(std::string_view message, bool stopsTimer) override;

  private:
    Engine& engine_;
    NullPanels nullPanels_;
    Panels& panels_;
};

}  // namespace linelab
