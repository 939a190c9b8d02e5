#include "tests/support/FakePorts.h"

#include "display/DrawFrame.h"
#include "transmit/Transmit.h"

namespace linelab::test {

void FakePorts::SetThresholdSlider(int value) {
    sliderWrites.push_back(value);
    slider = value;
    if (onSliderChange) onSliderChange();
}

void FakePorts::DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                          std::span<const int16_t> data, std::span<const int16_t> compareData,
                          int32_t colour, int16_t iMin, int16_t iMax) {
    strips.push_back({panel, iDutyCycle, iBaud, std::vector<int16_t>(data.begin(), data.end()),
                      std::vector<int16_t>(compareData.begin(), compareData.end()), colour, iMin,
                      iMax});
}

const StripCall* FakePorts::Strip(StripPanel panel) const {
    for (const StripCall& call : strips) {
        if (call.panel == panel) return &call;
    }
    return nullptr;
}

void FakePorts::ClearRecords() {
    messages.clear();
    bers.clear();
    strips.clear();
    eyes.clear();
    spectra.clear();
    sliderWrites.clear();
}

const Frame& FakePorts::Tick(Engine& engine) {
    const Frame& ran = engine.Tick({config, filters, slider});
    views.TakeFrame(ran, viewSettings);
    for (const Fault fault : ran.MessagesBeforeSlider())
        Report(fault);
    if (ran.moveThresholdSlider) SetThresholdSlider(ran.thresholdSlider);
    for (const Fault fault : ran.MessagesAfterSlider())
        Report(fault);
    const Frame& frame = engine.AccumulateBer();
    bers.push_back(frame.Run().dBER);
    DrawFrame(frame, views, *this);
    return frame;
}

LinkConfig StartupConfig() {
    LinkConfig c;
    c.data = DataSource::Random;
    c.preCode = {PreCoding::None, PreCoding::None};
    c.code = {LineCoding::None, LineCoding::None};
    c.format = {Format::UnipolarNrz, Format::UnipolarNrz};
    c.iPulseWidth = 16;
    return c;
}

}  // namespace linelab::test
