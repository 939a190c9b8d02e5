// Change handlers of the transmit chain's lists: data source, pre-coding, line code and
// level mapping; the dispatch of every list change; the scene list.

#include "common/Tables.h"
#include "transmit/Transmit.h"
#include "ui/Cascades.h"
#include "ui/FormHost.h"
#include "ui/ListItems.h"

namespace linelab {
namespace {

// The side of a two-element list: 0 for the transmitter's, 1 for the receiver's.
int SideOf(ListId id, ListId first) {
    return static_cast<int>(id) - static_cast<int>(first);
}

}  // namespace

void Cascades::OnListChange(ListId id) {
    switch (id) {
        case ListId::cmbData:
            cmbData_Change();
            break;
        case ListId::cmbPreCode0:
        case ListId::cmbPreCode1:
            cmbPreCode_Change(SideOf(id, ListId::cmbPreCode0));
            break;
        case ListId::cmbCode0:
        case ListId::cmbCode1:
            cmbCode_Change(SideOf(id, ListId::cmbCode0));
            break;
        case ListId::cmbMod0:
        case ListId::cmbMod1:
            cmbMod_Change(SideOf(id, ListId::cmbMod0));
            break;
        case ListId::cmbTxModPC0:
        case ListId::cmbTxModPC1:
            cmbTxModPC_Change(SideOf(id, ListId::cmbTxModPC0));
            break;
        case ListId::cmbTxFilter0:
        case ListId::cmbTxFilter1:
            cmbTxFilter_Change(SideOf(id, ListId::cmbTxFilter0));
            break;
        case ListId::cmbTxBW0:
        case ListId::cmbTxBW1:
            cmbTxBW_Change(SideOf(id, ListId::cmbTxBW0));
            break;
        case ListId::cmbTxEB0:
        case ListId::cmbTxEB1:
            cmbTxEB_Change(SideOf(id, ListId::cmbTxEB0));
            break;
        case ListId::cmbHighPass:
        case ListId::cmbLowPass:
        case ListId::cmbNoise:
        case ListId::cmbMultipathDelay:
        case ListId::cmbMultipathMag:
            ChannelBox_Change(id);
            break;
        case ListId::cmbScene:
            cmbScene_Change();
            break;
        case ListId::Count:
            break;
    }
}

void Cascades::cmbData_Change() {
    RestartPics(0);
    RestartPics(1);
}

void Cascades::cmbPreCode_Change(int index) {
    if (index == 0)
        controls_.Assign(ListId::cmbPreCode1,
                         std::string(controls_.List(ListId::cmbPreCode0).text));
    engine().InvalidateResponses();
    RestartPics(index);
}

void Cascades::cmbCode_Change(int index) {
    if (index == 0)
        controls_.Assign(ListId::cmbCode1, std::string(controls_.List(ListId::cmbCode0).text));
    UpdateBaudRate();
    RestartPics(index);
    engine().InvalidateResponses();
}

void Cascades::cmbMod_Change(int index) {
    if (index == 0)
        controls_.Assign(ListId::cmbMod1, std::string(controls_.List(ListId::cmbMod0).text));
    const auto format = FindFormat(controls_.List(Element(ListId::cmbMod0, index)).text);
    ResetPulseWidthLists(index, format && Info(*format).fullWidthOnly);
    LoadDefaultThresholds();
    engine().InvalidateResponses();
    UpdateBaudRate();
    RestartPics(index);
}

// The three-level formats take only a full-width pulse; the others get the four widths
// back, but only when their list was reduced, so an existing choice survives.
void Cascades::ResetPulseWidthLists(int index, bool fullWidthOnly) {
    const ListId first = Element(ListId::cmbTxModPC0, index);
    if (!fullWidthOnly && controls_.List(first).items.size() != 1) return;
    static constexpr std::array<std::string_view, 1> kOnlyFull = {kFullWidth};
    for (int side = index; side <= 1; ++side) {
        const ListId id = Element(ListId::cmbTxModPC0, side);
        if (fullWidthOnly) {
            controls_.Fill(id, kOnlyFull);
        } else {
            controls_.Fill(id, kPulseWidths);
        }
        controls_.Assign(id, kFullWidth);
    }
}

// The receiver's format decides the threshold pattern; the slider follows T0 through its
// own change handling.
// The defaults set the slider; the thresholds then follow the slider at once, as every run
// makes them follow it, so that no run decides with a pattern the slider does not show. When
// the slider already stood there, its handler does not run, so they are rescaled here.
void Cascades::LoadDefaultThresholds() {
    const int slider =
        engine().LoadDefaultThresholds(FindFormat(controls_.List(ListId::cmbMod1).text));
    const bool moves = controls_.Slider(SliderId::vscThreshold).value != slider;
    controls_.AssignSlider(SliderId::vscThreshold, slider);
    if (!moves) ApplyThresholdSlider();
}

// The thresholds follow the slider; a multi-threshold pattern cannot take the top, so the
// slider is moved to 99 there, a change of the slider whose handling runs before this returns.
void Cascades::ApplyThresholdSlider() {
    FormHost host(controls_, simulation_);
    const int slider = controls_.Slider(SliderId::vscThreshold).value;
    const int shown = engine().ApplyThresholdSlider(slider, host);
    if (shown != slider) controls_.AssignSlider(SliderId::vscThreshold, shown);
}

void Cascades::UpdateBaudRate() {
    engine().SetSymbolRate(SymbolRate(FindLineCode(controls_.List(ListId::cmbCode0).text),
                                      FindFormat(controls_.List(ListId::cmbMod0).text)));
}

// A typed text that names no scene leaves the layout as it is.
void Cascades::cmbScene_Change() {
    const int index = controls_.List(ListId::cmbScene).ListIndex();
    if (index >= 0) ApplyScene(index);
}

}  // namespace linelab
