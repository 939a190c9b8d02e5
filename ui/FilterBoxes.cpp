#include "ui/FilterBoxes.h"

#include <algorithm>

#include "common/Tables.h"
#include "common/TextNumber.h"
#include "transmit/Transmit.h"
#include "ui/ListItems.h"

namespace linelab {

// A type is found by its list item, so the record's names are the full list's, in its order.
static_assert(kFilterTypeNames == kFilterItemsFull);

namespace {

// The nearest sixteenth of a symbol, 1..16, by the level mapper's own rounding, so the pulse
// the design pass shapes is always the one the transmitter sends.
double PulseSixteenths(std::string_view text) {
    return PulseWidth(Val(text));
}

double ExcessPercent(std::string_view text) {
    return std::clamp(Int(Val(text) + 0.5), 1.0, 100.0);
}

double BandwidthKHz(std::string_view text) {
    return std::clamp(Int(Val(text) * 100 + 0.5) / 100, 0.1, 6.0);
}

std::optional<double> BandEdge(const std::string& text) {
    if (text == "None") return std::nullopt;
    return Val(text);
}

void Rewrite(FilterBoxes& boxes, FilterTexts& texts, FilterBox box, int side,
             const std::string& current, const std::string& wanted) {
    if (current == wanted) return;
    boxes.WriteFilterText(box, side, wanted);
    boxes.ReadFilterTexts(texts);
}

}  // namespace

std::string PulseWidthText(std::string_view text) {
    return NumberText(Int(PulseSixteenths(text) * 100 / 16 + 0.5));
}

std::string ExcessBandwidthText(std::string_view text) {
    return NumberText(ExcessPercent(text));
}

// Half a hundredth rounds up as far as the double of the text shows it: "2.555" becomes
// "2.56", but the double nearest 0.285 lies just below it, so "0.285" becomes "0.28".
std::string BandwidthText(std::string_view text) {
    return NumberText(BandwidthKHz(text));
}

void NormaliseFilterTexts(FilterBoxes& boxes, FilterTexts& texts) {
    for (int i = 0; i < 2; ++i) {
        const SideFilterTexts& side = texts.side[i];
        Rewrite(boxes, texts, FilterBox::ModPC, i, side.modPC, PulseWidthText(side.modPC));
        if (UsesExcessBandwidth(FindFilterType(side.filter))) {
            Rewrite(boxes, texts, FilterBox::EB, i, side.eb, ExcessBandwidthText(side.eb));
        } else {
            Rewrite(boxes, texts, FilterBox::BW, i, side.bw, BandwidthText(side.bw));
        }
    }
}

FilterConfig FilterConfigOf(const FilterTexts& texts) {
    FilterConfig out;
    for (std::size_t i = 0; i < 2; ++i) {
        const SideFilterTexts& t = texts.side[i];
        SideFilter& s = out.side[i];
        s.type = FindFilterType(t.filter);
        s.iPulseWidth = static_cast<int>(PulseSixteenths(t.modPC));
        s.bandwidth = BandwidthKHz(t.bw);
        s.excessBandwidth = static_cast<int>(ExcessPercent(t.eb));
    }
    out.lowPass = BandEdge(texts.lowPass);
    out.highPass = BandEdge(texts.highPass);
    return out;
}

}  // namespace linelab
