#pragma once
// What a tick needs from its owner, as narrow ports: what it reads (the settings record and
// the filter texts), what it writes back as a user's change would (the filter texts, the
// threshold slider, the BER caption), where it draws and where it reports.

#include <string_view>

#include "common/Reporter.h"
#include "common/Settings.h"
#include "dsp/DesignFilters.h"
#include "ports/Panels.h"

namespace linelab {

class SettingsSource {
  public:
    virtual ~SettingsSource() = default;
    virtual void ReadSettings(Settings& out) = 0;
};

// The controls a tick changes. Setting the slider is a change of the slider: the owner runs
// its change handling (which calls SetThresholds again) before returning.
class ControlWriter {
  public:
    virtual ~ControlWriter() = default;
    virtual int ThresholdSlider() = 0;  // vscThreshold
    virtual void SetThresholdSlider(int value) = 0;
    virtual void SetBerCaption(std::string_view caption) = 0;  // lblBER
};

struct TickPorts {
    SettingsSource& settings;
    FilterSettings& filters;
    ControlWriter& controls;
    Panels& panels;
    Reporter& reporter;
};

}  // namespace linelab
