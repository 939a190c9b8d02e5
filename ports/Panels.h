#pragma once
// Where a tick draws: the strip, eye and spectrum panels. Every argument is const: drawing
// shows the run, it never changes it.

#include <cstdint>
#include <span>

#include "common/Colours.h"
#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "common/Signal.h"

namespace linelab {

// Each kind's panels by their id within the kind, in the order of the panel list.
#define LINELAB_KIND_ID(id, kindId, ...) kindId,
enum class StripPanel { LINELAB_STRIP_PANELS(LINELAB_KIND_ID) };
enum class EyePanel { LINELAB_EYE_PANELS(LINELAB_KIND_ID) };
enum class SpectrumPanel { LINELAB_SPECTRUM_PANELS(LINELAB_KIND_ID) };
#undef LINELAB_KIND_ID

inline constexpr int kStripPanels = 0 LINELAB_STRIP_PANELS(LINELAB_PANEL_ONE);
inline constexpr int kEyePanels = 0 LINELAB_EYE_PANELS(LINELAB_PANEL_ONE);

// The panel a kind's id names: the kinds are consecutive in PanelId, strips first.
inline constexpr PanelId PanelOf(StripPanel panel) {
    return static_cast<PanelId>(static_cast<int>(panel));
}
inline constexpr PanelId PanelOf(EyePanel panel) {
    return static_cast<PanelId>(kStripPanels + static_cast<int>(panel));
}
inline constexpr PanelId PanelOf(SpectrumPanel panel) {
    return static_cast<PanelId>(kStripPanels + kEyePanels + static_cast<int>(panel));
}

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
