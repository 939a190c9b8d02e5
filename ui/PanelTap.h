#pragma once
// What the form model draws a panel on while measurements run beside it: the panel's own
// canvas, with two taps. A quiet tap drops the lines (a fast run draws only the runs it
// shows) but keeps the panel's scale and its clears; a density eye, when given, counts every
// trace line whether quiet or not. Marker lines (the thresholds and the sampling instant,
// drawn in green) are not counted: the view paints them over the density as an overlay.

#include <functional>
#include <vector>

#include "display/Canvas.h"

namespace linelab {

class DensityEye;

class PanelTap final : public Canvas {
  public:
    explicit PanelTap(Canvas& panel) : panel_(&panel) {}

    void SetQuiet(bool quiet) { quiet_ = quiet; }
    // The marker lines of the last run that drew them, in panel units, for the overlay.
    struct Segment {
        double x1, y1, x2, y2;
    };
    const std::vector<Segment>& Markers() const { return markers_; }
    // A new run begins: its first marker line replaces the previous run's markers.
    void NewRun() { freshRun_ = true; }
    bool Quiet() const { return quiet_; }
    // Not owned; nullptr stops counting.
    void SetDensity(DensityEye* density) { density_ = density; }
    // Runs after every clear of the panel: whatever is measured from its traces clears with it.
    void OnClear(std::function<void()> onClear) { onClear_ = std::move(onClear); }

    int ScaleWidth() const override { return panel_->ScaleWidth(); }
    int ScaleHeight() const override { return panel_->ScaleHeight(); }
    void Clear() override;
    void SetColour(int32_t bgr) override;
    int32_t Colour() const override { return panel_->Colour(); }
    void Line(double x1, double y1, double x2, double y2) override;

  private:
    Canvas* panel_;
    DensityEye* density_ = nullptr;
    std::function<void()> onClear_;
    std::vector<Segment> markers_;
    bool quiet_ = false;
    bool clearPending_ = false;
    bool freshRun_ = false;
};

}  // namespace linelab
