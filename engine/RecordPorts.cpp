#include "engine/RecordPorts.h"

namespace linelab {

RecordPorts::RecordPorts(Engine& engine, Panels* panels)
    : engine_(engine), panels_(panels != nullptr ? *panels : nullPanels_) {}

TickPorts RecordPorts::Ports() {
    return {*this, *this, *this, panels_, *this};
}

// The pulse-width box is also the transmit list the stages read, so a rewritten text
// reaches the settings record as it reaches the window's list.
void RecordPorts::WriteFilterText(FilterBox box, int side, std::string_view text) {
    if (side != 0 && side != 1) return;
    SideFilterTexts& texts = filterTexts.side[static_cast<std::size_t>(side)];
    switch (box) {
        case FilterBox::ModPC:
            texts.modPC.assign(text);
            settings.cmbTxModPC[static_cast<std::size_t>(side)] = texts.modPC;
            break;
        case FilterBox::BW:
            texts.bw.assign(text);
            break;
        case FilterBox::EB:
            texts.eb.assign(text);
            break;
    }
}

// The slider's change handling, as the window runs it.
void RecordPorts::SetThresholdSlider(int value) {
    if (value == slider) return;
    slider = value;
    engine_.ApplyThresholdSlider(*this, *this);
    engine_.RestartBer();
}

void RecordPorts::Report(std::string_view message, bool /*stopsTimer*/) {
    lastMessage.assign(message);
    ++messageCount;
}

}  // namespace linelab
