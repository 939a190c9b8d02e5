#include "engine/RecordPorts.h"

#include "display/DrawFrame.h"

namespace linelab {

RecordPorts::RecordPorts(Engine& engine, Panels* panels) : engine_(engine), panels_(panels) {}

const Frame& RecordPorts::Tick() {
    const Frame& ran = engine_.Tick({config, filters, slider});
    views.TakeFrame(ran, viewSettings);
    for (const TickMessage& m : ran.MessagesBeforeSlider())
        Report(m.text, m.stopsTimer);
    if (ran.moveThresholdSlider) SetThresholdSlider(ran.thresholdSlider);
    for (const TickMessage& m : ran.MessagesAfterSlider())
        Report(m.text, m.stopsTimer);
    const Frame& frame = engine_.AccumulateBer();
    berCaption = frame.berCaption;
    if (panels_ != nullptr) DrawFrame(frame, views, *panels_);
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
    const int shown = engine_.ApplyThresholdSlider(slider, *this);
    if (shown != slider) SetThresholdSlider(shown);
    engine_.RestartBer();
}

void RecordPorts::Report(std::string_view message, bool /*stopsTimer*/) {
    if (messageCount == 0) firstMessage.assign(message);
    lastMessage.assign(message);
    ++messageCount;
}

}  // namespace linelab
