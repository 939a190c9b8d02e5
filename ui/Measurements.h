#pragma once
// The measurements the window shows beside its panels, kept by the model side:
// the count behind the bit error rate, the receive eye's opening from its samples, and the
// density eyes. They read the frame a tick made through Tick() returns, once the run is
// complete, never the lines drawn; each panel is drawn through a tap (see PanelTap) that
// clears them when the panel clears.
//
// Which panels accumulate every run and which only the drawn ones (a fast run draws only
// the runs it shows):
//   every run: the bit error rate and its count (the engine), the spectrum averages (the
//              tick averages before it draws; a quiet run drops its lines only),
//              the density eyes (counted from the frame) and the eye opening;
//   drawn runs only: the line eyes and the strips (a strip shows one run anyway).

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "analysis/DensityEye.h"
#include "analysis/EyeStatistics.h"
#include "analysis/SignalToNoise.h"
#include "display/Plots.h"
#include "ports/Frame.h"
#include "ports/Panels.h"
#include "ui/BerCounts.h"
#include "ui/Controls.h"
#include "ui/PanelTap.h"

namespace linelab {

class Form1;

class Measurements {
  public:
    explicit Measurements(Form1& form);
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

    // Where the receive eye's sampling instant stood in the last run that fed the eye, in
    // the panel's units (the calipers' place); none before one did.
    std::optional<double> RxSamplingX() const { return rxSamplingX_; }

    const BerCounts& Counts() const { return counts_; }
    // The receive eye's opening since the panel was last cleared, with the receiver's
    // thresholds and the gaps weighted as its level mapping uses them.
    EyeFigures RxEyeFigures() const;
    uint64_t RxEyeRuns() const { return eyeRuns_; }

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
    bool density_ = false;
    bool busy_ = false;
};

// "Eb/N0 6.0 dB" for the noise the next tick applies, or "no noise" when none is applied.
std::string EbN0Text(Form1& form);
// The tooltip beside it: both ratios with two decimals, or why there are none.
std::string SignalToNoiseDetail(Form1& form);

// The readout beside the receive eye: per gap its height, width, Q and the rate the Qs
// predict; a short note while the eye has too few levels to measure.
// Without noise (`noise` false) the spread of the traces is only what the filters leave, and
// a Q from it means nothing: the gaps are given without Q, and no BER is predicted.
std::string EyeOpeningText(const EyeFigures& figures, bool noise = true);

}  // namespace linelab
