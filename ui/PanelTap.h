#pragma once
// What the form model draws a panel on while measurements run beside it: the panel's own
// canvas, with a tap. A quiet tap drops the lines (a fast run draws only the runs it shows)
// but keeps the panel's scale and its clears; whatever is measured from the panel's traces
// hears of every clear, so it clears with the picture.

#include <functional>

#include "display/Canvas.h"

namespace linelab {

class PanelTap final : public Canvas {
  public:
    explicit PanelTap(Canvas& panel) : panel_(&panel) {}

    void SetQuiet(bool quiet) { quiet_ = quiet; }
    bool Quiet() const { return quiet_; }
    // Runs after every clear of the panel.
    void OnClear(std::function<void()> onClear) { onClear_ = std::move(onClear); }

    int ScaleWidth() const override { return panel_->ScaleWidth(); }
    int ScaleHeight() const override { return panel_->ScaleHeight(); }
    void Clear() override;
    void SetColour(int32_t bgr) override;
    int32_t Colour() const override { return panel_->Colour(); }
    void Line(double x1, double y1, double x2, double y2) override;

  private:
    Canvas* panel_;
    std::function<void()> onClear_;
    bool quiet_ = false;
    bool clearPending_ = false;
};

}  // namespace linelab
