#pragma once
// The measurements the window shows beside its panels, kept by the model side:
// the count behind the bit error rate, the receive eye's opening from its samples, the
// density eyes, and the tallies of the readouts (ui/Readouts.h), whose texts it reads. They
// read the frame a tick made through Tick() returns, once the run is complete, never the
// lines drawn; each panel is drawn through a tap (see PanelTap) that clears them when the
// panel clears.
//
// Which panels accumulate every run and which only the drawn ones (a fast run draws only
// the runs it shows):
//   every run: the bit error rate and its count (the engine), the spectrum averages (the
//              tick averages before it draws; a quiet run drops its lines only),
//              the density eyes of the panels switched on (counted from the frame), the
//              eye opening (whatever the receive eye's box) and the readouts' tallies;
//   drawn runs only: the line eyes and the strips (a strip shows one run anyway).

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/DensityEye.h"
#include "analysis/EyeStatistics.h"
#include "analysis/SignalToNoise.h"
#include "display/Plots.h"
#include "ports/Frame.h"
#include "ports/Panels.h"
#include "ui/BerCounts.h"
#include "ui/Controls.h"
#include "ui/PanelTap.h"
#include "ui/Readouts.h"

namespace linelab {

class Form1;

class Measurements {
  public:
    // `readouts`: the table whose readouts this reads and whose tallies it feeds.
    explicit Measurements(Form1& form, std::span<const Readout> readouts = Readouts());
    ~Measurements();  // gives the form its panels back
    Measurements(const Measurements&) = delete;
    Measurements& operator=(const Measurements&) = delete;

    // Puts a tap between the form and every panel: panels[i] is picture i's canvas (not
    // owned; must outlive this object or the next Attach).
    void Attach(std::span<Canvas* const> panels);

    // One tick of Timer1 with the measurements fed. A quiet tick draws no line on any
    // panel; everything listed above as "every run" still accumulates.
    void Tick(bool quiet = false);

    // Density eyes: counted from the next run on, starting empty.
    void SetDensity(bool on);
    bool Density() const { return density_; }
    // 0 transmit, 1 channel, 2 receive eye.
    const DensityEye& DensityOf(int eye) const { return densities_[static_cast<std::size_t>(eye)]; }

    // Where the receive eye's sampling instant stood in the last run, in the panel's units
    // (the calipers' place); none before the first run.
    std::optional<double> RxSamplingX() const { return rxSamplingX_; }

    const BerCounts& Counts() const { return counts_; }
    // The receive eye's opening since the panel was last cleared, with the receiver's
    // thresholds and the gaps weighted as its level mapping uses them.
    EyeFigures RxEyeFigures() const;
    uint64_t RxEyeRuns() const { return eyeRuns_; }

    // What each readout (ui/Readouts.h) shows now, in the table's order; `eyeOpening`: the
    // receive eye's figures are asked for.
    std::vector<ReadoutText> ReadReadouts(bool eyeOpening) const;

  private:
    void SizeDensities();
    void CountTraces(const Frame& frame, const EyeView& view);
    PanelTap* Tap(PictureId id) { return taps_[static_cast<std::size_t>(id)].get(); }

    Form1& form_;
    std::array<std::unique_ptr<PanelTap>, CountOf<PictureId>()> taps_;
    std::array<DensityEye, kEyePanels> densities_;
    EyeStatistics eye_;
    uint64_t eyeRuns_ = 0;
    std::optional<double> rxSamplingX_;
    BerCounts counts_;
    std::span<const Readout> readouts_;
    std::vector<std::unique_ptr<ReadoutTally>> tallies_;  // per readout; null: it keeps none
    bool density_ = false;
    bool busy_ = false;
};

}  // namespace linelab
