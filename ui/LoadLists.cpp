// The lists the window loads with and their defaults: the receiver's lists first, so that
// the transmitter's handlers copy onto lists that already hold their items.
#include "ui/Cascades.h"
#include "ui/ListItems.h"

namespace linelab {

void Cascades::LoadLists() {
    controls_.Fill(ListId::cmbData, kDataSourceNames);
    controls_.Assign(ListId::cmbData, kDataSourceNames[0]);
    // The receiver's element first: the transmitter's handlers then copy onto lists that
    // already hold their items.
    LoadSideLists(1);
    LoadSideLists(0);
    const auto single = [this](ListId id, std::span<const std::string_view> items) {
        controls_.Fill(id, items);
        controls_.Assign(id, items.front());
    };
    single(ListId::cmbHighPass, kHighPassItems);
    single(ListId::cmbLowPass, kLowPassItems);
    single(ListId::cmbNoise, kNoiseItems);
    single(ListId::cmbMultipathDelay, kMultipathDelayItems);
    single(ListId::cmbMultipathMag, kMultipathMagItems);
    single(ListId::cmbScene, kSceneItems);
}

void Cascades::LoadSideLists(int side) {
    const auto fill = [this, side](ListId first, std::span<const std::string_view> items,
                                   std::string_view text) {
        const ListId id = Element(first, side);
        controls_.Fill(id, items);
        controls_.Assign(id, text);
    };
    fill(ListId::cmbPreCode0, kPreCodingNames, "None");
    fill(ListId::cmbCode0, kLineCodeItems, "None");
    fill(ListId::cmbMod0, kFormatItems, "Unipolar (N)RZ");
    fill(ListId::cmbTxModPC0, kPulseWidths, kFullWidth);
    fill(ListId::cmbTxFilter0, FilterItems(side, true), "SteepCutoff");
    fill(ListId::cmbTxBW0, kBandwidthItems, "4");
    fill(ListId::cmbTxEB0, kExcessBandwidthItems, "50");
}

void Cascades::ApplyScene(int index) {
    scenes_.Lay(index);
    if (index < 0 || index >= kSceneCount) return;
    for (int side = 0; side < 2; ++side) {
        if (controls_.List(Element(ListId::cmbTxFilter0, side)).visible) cmbTxFilter_Change(side);
    }
}

// A change of either side's settings clears that side's pictures and restarts its counts:
// side 0 the transmitter's, side 1 everything the channel and receiver show.
void Cascades::RestartPics(int side) {
    if (side == 0 || side == 1) {
        for (const PanelDescriptor& panel : kPanelTable) {
            const bool transmitter = panel.stage == PanelStage::Transmitter;
            if (panel.kind != PanelKind::Strip && transmitter == (side == 0))
                controls_.ClearPicture(panel.picture);
        }
    }
    simulation_.RestartCounters(side);
}

}  // namespace linelab
