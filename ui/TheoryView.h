#pragma once
// View > Theory as the model sees it: the line code's expected power spectrum over the spectrum
// of the transmitter's output, in the panel's own scale. The transmit spectrum takes it where
// the scene shows it, else the channel spectrum (Tx Filter and Full Tx, whose perfect channel
// passes the transmitter's output, the high pass aside). Where it cannot be seen (no such
// panel in the scene, or its box unticked) the status line says why. A view paints it over
// the panel's picture and never into it, so the panel's traces stay as they are.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/LineSpectrum.h"
#include "common/RunState.h"
#include "common/Signal.h"
#include "ui/PanelTable.h"

namespace linelab {

class Form1;

// The curve's and its label's colour (BGR): a red that no trace of the panels uses.
inline constexpr int32_t kTheoryColour = 0x0000C8;

// The panel the curve goes over in the scene shown; none where the scene shows no spectrum.
std::optional<SpectrumPanel> TheoryPanel(const Form1& form);
// Why the curve cannot be seen now; empty where it can.
std::string TheoryHint(const Form1& form);
// The words in the panel's corner: what the curve is over that panel, or that no theory is
// known for the settings (`known` false).
std::string TheoryLabel(const Form1& form, SpectrumPanel panel, bool known);

// The curve's height at each of the panel's kPlotPoints points, as a fraction from the top
// edge (0) to the bottom edge (1): where the panel's own trace puts the same power, in dB or
// linear at the range slider's setting. No power sits on the bottom edge in dB; far values
// are held within -1..2, where a clip cuts them.
std::vector<double> TheoryHeights(const Form1& form, const SpectrumAverage& curve);

// The curve for the settings and transmit response in force, worked out again only when
// they have changed since the last call.
class TheoryCurve {
  public:
    // Empty where no theory is known for the settings.
    const std::optional<SpectrumAverage>& Of(const Form1& form);

  private:
    bool cached_ = false;
    LineSpectrumSettings settings_;
    double rate_ = 0;
    Signal response_{};
    std::optional<SpectrumAverage> curve_;
};

}  // namespace linelab
