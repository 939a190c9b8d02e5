#include "ui/PanelTap.h"

namespace linelab {

void PanelTap::Clear() {
    clearPending_ = quiet_;
    if (!quiet_) panel_->Clear();
    if (onClear_) onClear_();
}

void PanelTap::SetColour(int32_t bgr) {
    // The colour is kept even when quiet: the next drawn run may rely on it.
    panel_->SetColour(bgr);
}

void PanelTap::Line(double x1, double y1, double x2, double y2) {
    if (quiet_) return;
    if (clearPending_) {
        clearPending_ = false;
        panel_->Clear();
    }
    panel_->Line(x1, y1, x2, y2);
}

}  // namespace linelab
