#include "tests/support/FakePorts.h"

namespace linelab::test {

void FakePorts::WriteFilterText(FilterBox box, int side, std::string_view text) {
    SideFilterTexts& texts = filterTexts.side[static_cast<std::size_t>(side)];
    switch (box) {
        case FilterBox::ModPC:
            texts.modPC = std::string(text);
            settings.cmbTxModPC[static_cast<std::size_t>(side)] = texts.modPC;
            break;
        case FilterBox::BW:
            texts.bw = std::string(text);
            break;
        case FilterBox::EB:
            texts.eb = std::string(text);
            break;
    }
}

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
    captions.clear();
    strips.clear();
    eyes.clear();
    spectra.clear();
    sliderWrites.clear();
}

void SetBoth(std::array<std::string, 2>& pair, std::string_view text) {
    for (std::string& element : pair)
        element.assign(text.data(), text.size());
}

Settings StartupSettings() {
    Settings s;
    s.cmbData = std::string("Random Data");
    SetBoth(s.cmbPreCode, "None");
    SetBoth(s.cmbCode, "None");
    SetBoth(s.cmbMod, "Unipolar (N)RZ");
    SetBoth(s.cmbTxModPC, "100");
    s.cmbNoise = std::string("None");
    s.cmbMultipathDelay = std::string("0.0");
    s.cmbMultipathMag = std::string("0");
    s.noiseVisible = true;
    s.invertVisible = true;
    return s;
}

FilterTexts StartupFilterTexts() {
    FilterTexts t;
    for (SideFilterTexts& side : t.side)
        side = {"100", "SteepCutoff", "4", "50"};
    t.lowPass = std::string("None");
    t.highPass = std::string("None");
    return t;
}

}  // namespace linelab::test
