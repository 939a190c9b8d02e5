#pragma once
// The seven scenes: which controls each shows, which panels it switches on, its captions, and
// the perfect channel every scene starts from. Laying out a scene goes through the control
// primitives, so the cascades a change sets off run as they would for the user.

#include "display/FrameViews.h"
#include "ui/ControlSet.h"
#include "ui/PanelTable.h"

namespace linelab {

class Scenes {
  public:
    Scenes(ControlSet& controls, FrameViews& views) : controls_(controls), views_(views) {}

    // Lays out scene `index` (0..6; any other index is ignored). The filter lists' own
    // handling, which a layout ends with, is the cascades' (Cascades::ApplyScene).
    void Lay(int index);
    int Index() const { return index_; }
    void SetIndex(int index) { index_ = index; }  // a reset takes over a fresh model's

  private:
    void ShowGroups(int index);
    void SwitchPanels(int index);
    void SetCaptions(int index);
    void FollowTransmitter();

    ControlSet& controls_;
    FrameViews& views_;
    int index_ = 0;
};

}  // namespace linelab
