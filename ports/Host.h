#pragma once
// What a tick needs from its owner (the form model, or a test double): the settings record,
// the write-backs that are changes of a control, the message box, and the panels.

#include <cstdint>
#include <span>
#include <string_view>

#include "common/Reporter.h"
#include "common/RunState.h"
#include "common/Settings.h"
#include "dsp/DesignFilters.h"

namespace linelab {

enum class StripPanel {
    Data,
    PreData,
    CodedData,
    ModData,
    DemodData,
    DecodedData,
    PostData,
    RxData
};
enum class EyePanel { Tx, Channel, Rx };
enum class SpectrumPanel { Tx, Channel, Rx };

inline constexpr int32_t kBlue = 16711680;
inline constexpr int32_t kRed = 255;
inline constexpr int32_t kGreen = 65280;
inline constexpr int32_t kDarkGreen = 32768;
inline constexpr int32_t kBlack = 0;

class Host : public Reporter, public FilterSettings {
  public:
    virtual void ReadSettings(Settings& out) = 0;

    // The threshold slider vscThreshold. Setting it is a change of the slider: the owner
    // runs its change handling (which calls SetThresholds again) before returning.
    virtual int ThresholdSlider() = 0;
    virtual void SetThresholdSlider(int value) = 0;

    // The caption of lblBER.
    virtual void SetBerCaption(std::string_view caption) = 0;

    // Panels; called only for panels whose check box is on.
    virtual void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                           std::span<const int16_t> data, std::span<const int16_t> compareData,
                           int32_t colour, int16_t iMin, int16_t iMax) = 0;
    virtual void DrawEye(EyePanel panel, const Signal& timeData, double scaleFactor,
                         const Thresholds& thresholds, bool showThreshold) = 0;
    // The spectrum routine updates the panel's average and count in place.
    virtual void DrawSpectrum(SpectrumPanel panel, const Signal& freqData, SpectrumAverage& average,
                              int32_t& count, int32_t colour) = 0;
};

}  // namespace linelab
