#include "engine/RecordPorts.h"

#include "common/TextNumber.h"
#include "display/DrawFrame.h"
#include "transmit/Transmit.h"

namespace linelab {

RecordPorts::RecordPorts(Engine& engine, Panels* panels) : engine_(engine), panels_(panels) {}

TickPorts RecordPorts::Ports() {
    return {*this, *this, *this, *this};
}

const Frame& RecordPorts::Tick() {
    const Frame& frame = engine_.Tick(Ports());
    if (panels_ != nullptr) DrawFrame(frame, *panels_);
    return frame;
}

void RecordPorts::ClearMessages() {
    firstMessage.clear();
    lastMessage.clear();
    messageCount = 0;
}

// The pulse-width box is also the transmit setting the stages read, so a rewritten text
// reaches the configuration as it reaches the window's list.
void RecordPorts::WriteFilterText(FilterBox box, int side, std::string_view text) {
    if (side != 0 && side != 1) return;
    SideFilterTexts& texts = filterTexts.side[static_cast<std::size_t>(side)];
    switch (box) {
        case FilterBox::ModPC:
            texts.modPC.assign(text);
            if (side == 0) config.iPulseWidth = PulseWidth(Val(texts.modPC));
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
    if (messageCount == 0) firstMessage.assign(message);
    lastMessage.assign(message);
    ++messageCount;
}

}  // namespace linelab
