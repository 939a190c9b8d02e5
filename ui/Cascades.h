#pragma once
// What each change of a control sets off: the receiver's lists follow the transmitter's, a
// mapping brings its pulse widths and thresholds, a filter its parameter box, a scene its
// layout; pictures clear, averages and counts restart, responses are designed again. The
// handlers run inside the control primitives (ControlSet), to their end, before the change
// returns to whoever made it.

#include "ui/ControlSet.h"
#include "ui/Scenes.h"
#include "ui/Simulation.h"

namespace linelab {

class Cascades final : public ControlHandlers {
  public:
    Cascades(ControlSet& controls, Simulation& simulation, Scenes& scenes)
        : controls_(controls), simulation_(simulation), scenes_(scenes) {}

    // The start-up lists and their defaults, as the window loads them.
    void LoadLists();
    // Lays out a scene, then lets the visible filter lists pick their parameter boxes.
    void ApplyScene(int index);

    void OnListChange(ListId id) override;
    void OnCheckClick(CheckId id) override;
    void OnSliderChange(SliderId id) override;
    void ClickPicture(PictureId id);
    void ClickBer();  // restart the running bit error rate

  private:
    void LoadSideLists(int side);
    void RestartPics(int side);
    void OnPanelCheckClick(const PanelDescriptor& panel);
    void cmbData_Change();
    void cmbPreCode_Change(int index);
    void cmbCode_Change(int index);
    void cmbMod_Change(int index);
    void ResetPulseWidthLists(int index, bool fullWidthOnly);
    void LoadDefaultThresholds();
    void ApplyThresholdSlider();
    void UpdateBaudRate();
    void cmbTxFilter_Change(int index);
    void ShowFilterParameterBox(int index);
    void cmbTxModPC_Change(int index);
    void cmbTxBW_Change(int index);
    void cmbTxEB_Change(int index);
    void ChannelBox_Change(ListId id);
    void cmbScene_Change();
    void vscThreshold_Change();
    void hscDataZoom_Change();
    Engine& engine() { return simulation_.Link(); }

    ControlSet& controls_;
    Simulation& simulation_;
    Scenes& scenes_;
};

}  // namespace linelab
