#pragma once
// What the form model draws a panel on while measurements run beside it: the panel's own
// canvas, with two taps. A quiet tap drops the lines (a fast run draws only the runs it
// shows) but keeps the panel's scale and its clears; a density eye, when given, counts every
// trace line whether quiet or not. Marker lines (the thresholds and the sampling instant,
// drawn in green) are not counted: the view paints them over the density as an overlay.

#include <functional>

#include "display/Canvas.h"

namespace linelab {

class DensityEye;

class PanelTap final : public Canvas {
  public:
    explicit PanelTap(Canvas& panel) : panel_(&panel) {}

    void SetQuiet(bool quiet) { quiet_ = quiet; }
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
    bool quiet_ = false;
};

}  // namespace linelab
