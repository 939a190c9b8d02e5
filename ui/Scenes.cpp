// Laying out a scene: drop the stored spectrum, make the channel perfect, show exactly the
// scene's groups and switch their panels, and tie the receiver to the transmitter in the
// last scene.

#include <algorithm>

#include "common/TextNumber.h"
#include "ui/SceneTable.h"
#include "ui/Scenes.h"

namespace linelab {
namespace {

constexpr int kFollowingScene = 6;  // the receiver decodes with the transmitter's settings
constexpr int kScrollMaximum = 37;
constexpr int kSpectrumRange = 150;

}  // namespace

void Scenes::Lay(int index) {
    if (index < 0 || index >= kSceneCount) return;
    index_ = index;
    // The stored spectrum is emptied but stays "stored": a copy is taken only when the
    // memory box is checked anew, never from an average left over from before the scene.
    views_.EmptyMemoryTrace();

    controls_.Assign(ListId::cmbHighPass, "None");
    controls_.Assign(ListId::cmbLowPass, "None");
    controls_.Assign(ListId::cmbNoise, "None");
    controls_.Assign(ListId::cmbMultipathMag, "0");

    ShowGroups(index);
    controls_.AssignCheck(CheckId::chkInvert, 0);
    SwitchPanels(index);
    controls_.SetSliderRange(SliderId::hscDataScroll, controls_.Slider(SliderId::hscDataScroll).min,
                             kScrollMaximum);
    controls_.AssignSlider(SliderId::vscSpectrumRange, kSpectrumRange);
    controls_.SetSliderRange(SliderId::hscSample, -32, 32);
    controls_.SetSliderSteps(SliderId::hscSample, 1, 4);
    SetCaptions(index);
    if (index == kFollowingScene) FollowTransmitter();
}

// Every control ends up shown exactly when a row of the scene (or kAlwaysShown) shows it;
// only real changes reach the observer.
void Scenes::ShowGroups(int index) {
    std::vector<ControlRef> shown(kAlwaysShown.begin(), kAlwaysShown.end());
    for (const PanelDescriptor& panel : kPanelTable) {
        if (ShownIn(panel, index)) shown.push_back(panel.picture);
        if (BoxShownIn(panel, index)) shown.push_back(panel.check);
    }
    for (const SceneGroup& group : kSceneTable) {
        const uint8_t cell = group.cells[static_cast<std::size_t>(index)];
        if ((cell & kShown) != 0)
            shown.insert(shown.end(), group.members.begin(), group.members.end());
    }
    for (ControlRef control : AllControls()) {
        controls_.Show(control, std::find(shown.begin(), shown.end(), control) != shown.end());
    }
}

void Scenes::SwitchPanels(int index) {
    for (const PanelDescriptor& panel : kPanelTable) {
        const uint8_t cell = panel.scenes[static_cast<std::size_t>(index)];
        if ((cell & (kOn | kOff)) != 0)
            controls_.AssignCheck(panel.check, (cell & kOn) != 0 ? 1 : 0);
    }
}

void Scenes::SetCaptions(int index) {
    for (const SceneGroup& group : kSceneTable) {
        const std::string_view caption = group.captions[static_cast<std::size_t>(index)];
        if (caption.empty() || group.members.empty()) continue;
        const ControlRef first = group.members.front();
        if (first.kind == ControlKind::Label)
            controls_.SetCaption(static_cast<LabelId>(first.index), caption);
    }
    for (int i = 0; i < 9; ++i)
        controls_.SetCaption(Element(LabelId::lblFreq0, i), NumberText(i / 2.0));
}

// The receiver's hidden copies take the transmitter's choices; from here on the
// transmitter's handlers keep copying every change across.
void Scenes::FollowTransmitter() {
    for (ListId first :
         {ListId::cmbPreCode0, ListId::cmbCode0, ListId::cmbMod0, ListId::cmbTxModPC0}) {
        controls_.Assign(Element(first, 1), std::string(controls_.List(first).text));
    }
}

}  // namespace linelab
