#include "engine/RecordPorts.h"

#include "display/DrawFrame.h"

namespace linelab {

RecordPorts::RecordPorts(Engine& engine, Panels* panels) : engine_(engine), panels_(panels) {}

const Frame& RecordPorts::Tick() {
    const Frame& ran = engine_.Tick({config, filters, slider});
    views.TakeFrame(ran, viewSettings);
    for (const Fault fault : ran.MessagesBeforeSlider())
        Report(fault);
    if (ran.moveThresholdSlider) SetThresholdSlider(ran.thresholdSlider);
    for (const Fault fault : ran.MessagesAfterSlider())
        Report(fault);
    const Frame& frame = engine_.AccumulateBer();
    if (panels_ != nullptr) DrawFrame(frame, views, *panels_);
    return frame;
}

void RecordPorts::ClearMessages() {
    firstMessage.reset();
    lastMessage.reset();
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

void RecordPorts::Report(Fault fault) {
    if (messageCount == 0) firstMessage = fault;
    lastMessage = fault;
    ++messageCount;
}

}  // namespace linelab
