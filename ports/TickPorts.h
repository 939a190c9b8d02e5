#pragma once
// What a tick needs from its owner, as narrow ports: what it reads (the link configuration
// and the filter settings), what it writes back as a user's change would (the threshold
// slider, the BER caption) and where it reports. Drawing is not among them: the
// tick returns a frame and the owner's views draw from it.

#include <string_view>

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "dsp/FilterConfig.h"

namespace linelab {

class ConfigSource {
  public:
    virtual ~ConfigSource() = default;
    virtual void ReadConfig(LinkConfig& out) = 0;
};

// The filter and channel settings, read when the responses are designed. A window's owner
// brings its boxes to their rounded texts first (a change of each box that differs), so the
// read may run change handling.
class FilterSource {
  public:
    virtual ~FilterSource() = default;
    virtual FilterConfig ReadFilterConfig() = 0;
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
    ConfigSource& config;
    FilterSource& filters;
    ControlWriter& controls;
    Reporter& reporter;
};

}  // namespace linelab
