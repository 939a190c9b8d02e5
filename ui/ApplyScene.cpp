// Laying out a scene: drop the stored spectrum, make the channel perfect, show exactly the
// scene's groups and switch their panels, tie the receiver to the transmitter in the last
// scene, and let the visible filter lists pick their parameter boxes.

#include <algorithm>

#include "common/TextNumber.h"
#include "ui/Form1.h"
#include "ui/SceneTable.h"

namespace linelab {
namespace {

constexpr int kFollowingScene = 6;  // the receiver decodes with the transmitter's settings
constexpr int kScrollMaximum = 37;
constexpr int kSpectrumRange = 150;

}  // namespace

void Form1::ApplySceneLayout(int index) {
    if (index < 0 || index >= kSceneCount) return;
    scene_ = index;
    // The stored spectrum is emptied but stays "stored": a copy is taken only when the
    // memory box is checked anew, never from an average left over from before the scene.
    engine_.EmptyMemoryTrace();

    Assign(ListId::cmbHighPass, "None");
    Assign(ListId::cmbLowPass, "None");
    Assign(ListId::cmbNoise, "None");
    Assign(ListId::cmbMultipathMag, "0");

    ShowSceneGroups(index);
    AssignCheck(CheckId::chkInvert, 0);
    SwitchSceneGroups(index);
    SetSliderRange(SliderId::hscDataScroll, Slider(SliderId::hscDataScroll).min, kScrollMaximum);
    AssignSlider(SliderId::vscSpectrumRange, kSpectrumRange);
    SetSliderRange(SliderId::hscSample, -32, 32);
    SliderControl& sample = sliders_[Index(SliderId::hscSample)];
    if (sample.smallChange != 1 || sample.largeChange != 4) {
        sample.smallChange = 1;
        sample.largeChange = 4;
        Notify(SliderId::hscSample);
    }
    SetSceneCaptions(index);
    if (index == kFollowingScene) FollowTransmitter();

    for (int side = 0; side < 2; ++side) {
        if (List(Element(ListId::cmbTxFilter0, side)).visible) cmbTxFilter_Change(side);
    }
}

// Every control ends up shown exactly when a row of the scene (or kAlwaysShown) shows it;
// only real changes reach the observer.
void Form1::ShowSceneGroups(int index) {
    std::vector<ControlRef> shown(kAlwaysShown.begin(), kAlwaysShown.end());
    for (const SceneGroup& group : kSceneTable) {
        const uint8_t cell = group.cells[static_cast<std::size_t>(index)];
        if ((cell & kShown) != 0)
            shown.insert(shown.end(), group.members.begin(), group.members.end());
        if ((cell & kBoxes) != 0) {
            for (CheckId box : group.boxes)
                shown.push_back(box);
        }
    }
    for (ControlRef control : AllControls()) {
        Show(control, std::find(shown.begin(), shown.end(), control) != shown.end());
    }
}

void Form1::SwitchSceneGroups(int index) {
    for (const SceneGroup& group : kSceneTable) {
        const uint8_t cell = group.cells[static_cast<std::size_t>(index)];
        if ((cell & (kOn | kOff)) == 0) continue;
        for (CheckId box : group.boxes)
            AssignCheck(box, (cell & kOn) != 0 ? 1 : 0);
    }
}

void Form1::SetSceneCaptions(int index) {
    for (const SceneGroup& group : kSceneTable) {
        const std::string_view caption = group.captions[static_cast<std::size_t>(index)];
        if (caption.empty() || group.members.empty()) continue;
        const ControlRef first = group.members.front();
        if (first.kind == ControlKind::Label)
            SetCaption(static_cast<LabelId>(first.index), caption);
    }
    for (int i = 0; i < 9; ++i)
        SetCaption(Element(LabelId::lblFreq0, i), NumberText(i / 2.0));
}

// The receiver's hidden copies take the transmitter's choices; from here on the
// transmitter's handlers keep copying every change across.
void Form1::FollowTransmitter() {
    for (ListId first :
         {ListId::cmbPreCode0, ListId::cmbCode0, ListId::cmbMod0, ListId::cmbTxModPC0}) {
        Assign(Element(first, 1), std::string(List(first).text));
    }
}

}  // namespace linelab
