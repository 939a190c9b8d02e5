#pragma once
// Where a tick draws: the strip, eye and spectrum panels. Every argument is const: drawing
// shows the run, it never changes it.

#include <cstdint>
#include <span>

#include "common/Colours.h"
#include "common/RunState.h"
#include "common/Signal.h"

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

class Panels {
  public:
    virtual ~Panels() = default;

    // Called only for panels whose check box is on.
    virtual void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                           std::span<const int16_t> data, std::span<const int16_t> compareData,
                           int32_t colour, int16_t iMin, int16_t iMax) = 0;
    virtual void DrawEye(EyePanel panel, const Signal& timeData, double scaleFactor,
                         const Thresholds& thresholds, bool showThreshold) = 0;
    // The panel's running average, already updated with this run; memory is the stored
    // trace, or nullptr when none is stored.
    virtual void DrawSpectrum(SpectrumPanel panel, const SpectrumAverage& average,
                              const SpectrumAverage* memory, int32_t colour) = 0;
};

// Panels that show nothing: an engine computing without a window (sweeps, fast runs).
class NullPanels final : public Panels {
  public:
    void DrawStrip(StripPanel, int16_t, int16_t, std::span<const int16_t>, std::span<const int16_t>,
                   int32_t, int16_t, int16_t) override {}
    void DrawEye(EyePanel, const Signal&, double, const Thresholds&, bool) override {}
    void DrawSpectrum(SpectrumPanel, const SpectrumAverage&, const SpectrumAverage*,
                      int32_t) override {}
};

}  // namespace linelab
