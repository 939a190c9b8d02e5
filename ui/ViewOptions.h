#pragma once
// The window's View options (density eyes, eye opening, theory): how the pictures are
// looked at, never what the simulation computes. They are settings all the same, kept in a
// lesson with the controls, so the form model holds them as data and the views follow it.
// A new option is one row of the table and one case where the view applies it.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace linelab {

enum class ViewOption { DensityEyes, EyeOpening, Theory };

struct ViewOptionRow {
    ViewOption id;
    std::string_view key;   // its name in a lesson's "view" group
    std::string_view menu;  // the View menu's words for it
    std::string_view tip;   // what the menu item's tool tip says it does
};

inline constexpr std::array<ViewOptionRow, 3> kViewOptions = {{
    {ViewOption::DensityEyes, "densityEyes", "Density eyes",
     "Show how often traces pass each point of the eyes"},
    {ViewOption::EyeOpening, "eyeOpening", "Eye opening",
     "Calipers of the receive eye's measured opening, and its figures"},
    {ViewOption::Theory, "theory", "Theory",
     "Draw the line code's expected power spectrum over the spectrum of the transmitter's "
     "output"},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kViewOptions.size(); ++i)
            if (static_cast<std::size_t>(kViewOptions[i].id) != i) return false;
        return true;
    }(),
    "the table lists the options in the order of their ids");

constexpr const ViewOptionRow& RowOf(ViewOption option) {
    return kViewOptions[static_cast<std::size_t>(option)];
}

constexpr std::optional<ViewOption> FindViewOption(std::string_view key) {
    for (const ViewOptionRow& row : kViewOptions)
        if (row.key == key) return row.id;
    return std::nullopt;
}

// Every option off, as at start-up.
class ViewOptions {
  public:
    bool operator[](ViewOption option) const { return on_[Index(option)]; }
    void Set(ViewOption option, bool on) { on_[Index(option)] = on; }
    friend bool operator==(const ViewOptions&, const ViewOptions&) = default;

  private:
    static constexpr std::size_t Index(ViewOption option) {
        return static_cast<std::size_t>(option);
    }
    std::array<bool, kViewOptions.size()> on_{};
};

}  // namespace linelab
