#pragma once
// The link as the tick sees it: what the form model's controls say, already parsed. The form
// model owns the texts and lists; everything below it works from this record of ids, numbers
// and the set of shown panels, and never reads a control's text or name.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

#include "common/PanelList.h"
#include "common/Tables.h"

namespace linelab {

// Every picture panel (common/PanelList.h): the strips, the eyes, the spectra.
#define LINELAB_PANEL_ID(id, ...) id,
enum class PanelId : uint8_t { LINELAB_PANELS(LINELAB_PANEL_ID) };
#undef LINELAB_PANEL_ID
inline constexpr std::size_t kPanelCount = 0 LINELAB_PANELS(LINELAB_PANEL_ONE);

// The panels whose check box is on.
class ShownPanels {
  public:
    bool operator[](PanelId id) const { return bits_[Index(id)]; }
    void Set(PanelId id, bool shown) { bits_[Index(id)] = shown; }
    void Clear() { bits_.reset(); }
    bool Any() const { return bits_.any(); }
    friend bool operator==(const ShownPanels&, const ShownPanels&) = default;

  private:
    static std::size_t Index(PanelId id) { return static_cast<std::size_t>(id); }
    std::bitset<kPanelCount> bits_;
};

// A single echo: gain 0 means none.
struct Echo {
    double gain = 0;  // relative to the direct path
    int delay = 0;    // complex samples, 0..2048
};

// How the noise is scaled: to each run's own transmitted energy (the window's default), or
// to the configuration's mean energy, a fixed noise density as a real channel has.
enum class NoiseScaling : uint8_t { PerRun, Fixed };
// What the decisions compare with: the thresholds as set by the slider, or midway between
// the levels the receiver actually sees.
enum class ThresholdChoice : uint8_t { AsSet, Midway };

struct LinkConfig {
    // Transmitter [0] and receiver [1]. An empty id is a text that names no list item: the
    // stage it feeds reports it, as the window always has.
    std::optional<DataSource> data;
    std::array<std::optional<PreCoding>, 2> preCode;
    std::array<std::optional<LineCoding>, 2> code;
    std::array<std::optional<Format>, 2> format;
    int16_t iPulseWidth = 16;  // the transmitter's pulse width, sixteenths of a symbol

    double noiseLevel = 0;  // W/kHz; 0 when no noise is added
    NoiseScaling noiseScaling = NoiseScaling::PerRun;
    ThresholdChoice thresholdChoice = ThresholdChoice::AsSet;
    // Filled by the engine once per configuration (engine/LinkReference.h), not by the form
    // model: the energy per slot a fixed noise density refers to (0: none formed, the run's
    // own is used) and the midway thresholds (none: the thresholds as set are used).
    double noiseReference = 0;
    std::optional<std::array<double, 5>> midway;  // laid out as Thresholds
    Echo echo;
    bool invert = false;     // polarity inversion in force
    int samplingOffset = 0;  // the sampling instant in half-samples from the slot, -32..32

    ShownPanels shown;
};

// The noise of a run with this configuration follows the run's own transmitted energy, so
// the run forms its transmit-filter output waveform to measure it. A fixed density whose
// reference is formed reads nothing of the run.
inline bool NoiseMeasuresRun(const LinkConfig& c) {
    return c.noiseLevel > 0 && !(c.noiseScaling == NoiseScaling::Fixed && c.noiseReference > 0);
}

}  // namespace linelab
