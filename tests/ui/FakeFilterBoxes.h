#pragma once
// An owner of the filter boxes: holds the texts, records every write-back, and runs
// an optional change handler on each write, as the window does.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/FilterBoxes.h"

namespace linelab {

struct WriteBack {
    FilterBox box;
    int side;
    std::string text;
    bool operator==(const WriteBack&) const = default;
};

inline std::string& BoxText(FilterTexts& t, FilterBox box, int side) {
    SideFilterTexts& s = t.side[side];
    return box == FilterBox::ModPC ? s.modPC : box == FilterBox::BW ? s.bw : s.eb;
}

class FakeFilterBoxes : public FilterBoxes {
  public:
    explicit FakeFilterBoxes(FilterTexts t) : texts(std::move(t)) {}

    void ReadFilterTexts(FilterTexts& out) override {
        ++reads;
        out = texts;
    }
    void WriteFilterText(FilterBox box, int side, std::string_view text) override {
        writes.push_back({box, side, std::string(text)});
        if (keepWrites) BoxText(texts, box, side) = std::string(text);
        if (onChange) onChange(box, side, texts);
    }

    FilterTexts texts;
    bool keepWrites = true;  // false: a box that refuses its rewritten text
    std::function<void(FilterBox, int, FilterTexts&)> onChange;
    std::vector<WriteBack> writes;
    int reads = 0;
};

// Both sides "None" at full width and 1 kHz, the channel open.
inline FilterTexts StartTexts() {
    FilterTexts t;
    t.side[0] = {"100", "None", "1", "50"};
    t.side[1] = {"100", "None", "1", "50"};
    t.lowPass = "None";
    t.highPass = "None";
    return t;
}

}  // namespace linelab
