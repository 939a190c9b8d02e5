#pragma once
// The form model as the tick's owner: the filter boxes brought to their rounded texts before
// a design (each change through the box's setter, so its handlers run), the panels' canvases
// with the view values the drawing routines read, and the message box.

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "display/FrameViews.h"
#include "display/Plots.h"
#include "ports/Panels.h"
#include "ui/FilterBoxes.h"

namespace linelab {

class ControlSet;
class Form1;
class Simulation;

class FormHost final : public FilterBoxes, public Panels, public Reporter {
  public:
    FormHost(ControlSet& controls, Simulation& simulation)
        : controls_(controls), simulation_(simulation) {}

    // Brings the filter boxes to their rounded texts (each change through the box's setter,
    // so its handlers run), then parses them: the design inputs of the next tick.
    FilterConfig ReadFilterConfig();
    void ReadFilterTexts(FilterTexts& out) override;
    void WriteFilterText(FilterBox box, int side, std::string_view text) override;

    void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                   std::span<const int16_t> data, std::span<const int16_t> compareData,
                   int32_t colour, int16_t iMin, int16_t iMax) override;
    void DrawEye(EyePanel panel, const Signal& timeData, double scaleFactor,
                 const Thresholds& thresholds, bool showThreshold) override;
    void DrawSpectrum(SpectrumPanel panel, const SpectrumAverage& average,
                      const SpectrumAverage* memory, int32_t colour) override;

    void Report(Fault fault) override;

  private:
    ControlSet& controls_;
    Simulation& simulation_;
};

// The controls as the tick reads them: the texts parsed into ids and numbers, a hidden noise
// box or inversion box switched off.
void ReadLinkConfig(const ControlSet& controls, LinkConfig& out);
LinkConfig LinkConfigOf(const ControlSet& controls);
// The controls the views take a frame with: the memory box (shown and checked) and the
// transmit eye's scale slider.
ViewSettings ViewSettingsOf(const ControlSet& controls);
void ReadLinkConfig(const Form1& form, LinkConfig& out);
LinkConfig LinkConfigOf(const Form1& form);
// What the eye routine reads besides its arguments, from the controls and the symbol rate.
EyeView EyeViewOf(const ControlSet& controls, double dBaudRate);
// The filter boxes' texts as they stand.
void ReadFilterSettings(const ControlSet& controls, FilterTexts& out);

}  // namespace linelab
