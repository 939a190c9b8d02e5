#include "engine/RecordPorts.h"

#include "display/DrawFrame.h"

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
