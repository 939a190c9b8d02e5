#include "dsp/SettingTexts.h"

#include <algorithm>

#include "common/TextNumber.h"

namespace linelab {

// The limits are applied to the rounded double, so a text far out of range (Val saturates
// at the largest double, whose products become infinite) still lands on an end of the range.
std::string PulseWidthText(std::string_view text) {
    const double n = std::clamp(Int(Val(text) * 16 / 100 + 0.5), 1.0, 16.0);
    return NumberText(Int(n * 100 / 16 + 0.5));
}

std::string ExcessBandwidthText(std::string_view text) {
    return NumberText(std::clamp(Int(Val(text) + 0.5), 1.0, 100.0));
}

// Half a hundredth rounds up as far as the double of the text shows it: "2.555" becomes
// "2.56", but the double nearest 0.285 lies just below it, so "0.285" becomes "0.28".
std::string BandwidthText(std::string_view text) {
    return NumberText(std::clamp(Int(Val(text) * 100 + 0.5) / 100, 0.1, 6.0));
}

bool UsesExcessBandwidth(std::string_view filter) {
    return filter == "RC" || filter == "Root RC";
}

namespace {

void Rewrite(FilterSettings& settings, FilterTexts& texts, FilterBox box, int side,
             const std::string& current, const std::string& wanted) {
    if (current == wanted) return;
    settings.WriteFilterText(box, side, wanted);
    settings.ReadFilterTexts(texts);
}

}  // namespace

void NormaliseFilterTexts(FilterSettings& settings, FilterTexts& texts) {
    for (int i = 0; i < 2; ++i) {
        const SideFilterTexts& side = texts.side[i];
        Rewrite(settings, texts, FilterBox::ModPC, i, side.modPC, PulseWidthText(side.modPC));
        if (UsesExcessBandwidth(side.filter)) {
            Rewrite(settings, texts, FilterBox::EB, i, side.eb, ExcessBandwidthText(side.eb));
        } else {
            Rewrite(settings, texts, FilterBox::BW, i, side.bw, BandwidthText(side.bw));
        }
    }
}

}  // namespace linelab
