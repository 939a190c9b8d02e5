#pragma once
// The one stand-in for a tick's owner in the tests: holds the configuration, the filter record
// and the threshold slider, applies what a frame asks as the window does, and records every
// message, caption, slider write and draw call.

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "common/TextNumber.h"
#include "display/FrameViews.h"
#include "engine/Engine.h"
#include "ports/Panels.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "tests/support/FilterRecords.h"
#include "transmit/Transmit.h"

namespace linelab::test {

struct StripCall {
    StripPanel panel;
    int16_t iDutyCycle, iBaud;
    std::vector<int16_t> data, compareData;
    int32_t colour;
    int16_t iMin, iMax;
};

struct EyeCall {
    EyePanel panel;
    double scaleFactor;
    Thresholds thresholds;
    bool showThreshold;
    double firstSample;  // real part of complex sample 0 as handed over
};

struct SpectrumCall {
    SpectrumPanel panel;
    const SpectrumAverage* average;
    const SpectrumAverage* memory;
    int32_t colour;
};

class FakePorts : public Panels, public Reporter {
  public:
    // One tick of the engine from these records, what its frame asks applied as the window
    // applies it (ports/Frame.h), and the frame drawn here.
    const Frame& Tick(Engine& engine);

    LinkConfig config;
    FilterConfig filters;  // the start-up settings unless set
    int slider = 0;
    // The slider's change handling, run after each write as the window runs it (nothing when
    // empty).
    std::function<void()> onSliderChange;

    std::vector<Fault> messages;
    std::vector<double> bers;  // the running rate after each counted run
    std::vector<StripCall> strips;
    std::vector<EyeCall> eyes;
    std::vector<SpectrumCall> spectra;
    std::vector<int> sliderWrites;
    ViewSettings viewSettings;
    FrameViews views;  // fed by every tick, as the window's

    void Report(Fault fault) override { messages.push_back(fault); }
    // A change of the slider: recorded, then its handling run.
    virtual void SetThresholdSlider(int value);

    void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                   std::span<const int16_t> data, std::span<const int16_t> compareData,
                   int32_t colour, int16_t iMin, int16_t iMax) override;
    void DrawEye(EyePanel panel, const Signal& timeData, double scaleFactor,
                 const Thresholds& thresholds, bool showThreshold) override {
        eyes.push_back({panel, scaleFactor, thresholds, showThreshold, timeData[0]});
    }
    void DrawSpectrum(SpectrumPanel panel, const SpectrumAverage& average,
                      const SpectrumAverage* memory, int32_t colour) override {
        spectra.push_back({panel, &average, memory, colour});
    }

    const StripCall* Strip(StripPanel panel) const;
    void ClearRecords();
};

// The same list id for the transmitter and the receiver.
template <typename Id>
std::array<std::optional<Id>, 2> Both(std::optional<Id> id) {
    return {id, id};
}
template <typename Id>
requires std::is_enum_v<Id> std::array < std::optional<Id>,
2 > Both(Id id) {
    return {id, id};
}

// The start-up configuration: every list at its default, the receiver following the
// transmitter, every panel off, no noise, echo or inversion.
LinkConfig StartupConfig();

}  // namespace linelab::test
