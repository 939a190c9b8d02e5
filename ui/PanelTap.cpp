#include "ui/PanelTap.h"

#include "analysis/DensityEye.h"
#include "ports/Host.h"

namespace linelab {

void PanelTap::Clear() {
    panel_->Clear();
    if (density_ != nullptr) density_->Clear();
    if (onClear_) onClear_();
}

void PanelTap::SetColour(int32_t bgr) {
    // The colour is kept even when quiet: the next drawn run may rely on it.
    panel_->SetColour(bgr);
}

void PanelTap::Line(double x1, double y1, double x2, double y2) {
    if (density_ != nullptr && panel_->Colour() != kGreen) density_->Line(x1, y1, x2, y2);
    if (!quiet_) panel_->Line(x1, y1, x2, y2);
}

}  // namespace linelab
