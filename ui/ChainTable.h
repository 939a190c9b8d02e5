#pragma once
// The window's chain as plain data: which controls stand in which stage column, row by row,
// for any view that lays the form out (the desktop window and the page in the browser both
// read it; names as NameOf gives them). Rows list their controls left to right; the first control
// of a row that is a label is the row's caption.

#include <span>
#include <string_view>

namespace linelab {

struct ChainRow {
    std::span<const std::string_view> controls;
};

struct ChainCell {
    std::string_view stage;  // "Transmitter", "Channel", "Receiver", "Output"
    std::string_view role;   // "lists", "eye", "spectrum", "strips", "readout"
    std::span<const ChainRow> rows;
};

// The full layout's cells, column by column and top to bottom (scenes 4 to 6); the compact
// scenes (0 to 3) show the same controls, those hidden in them simply absent.
std::span<const ChainCell> ChainCells();

// The top bar: the scene and data lists and the run control.
std::span<const std::string_view> ChainTopBar();

// What a desktop layout needs besides the cells; the page lays itself out without it.

// The row of a full-layout cell whose first control is `first`; nullptr when none is.
const ChainRow* ChainRowStartingWith(std::string_view first);

// Labels spread evenly, left to right, under a picture: the frequency axis under the
// channel spectrum.
struct ChainAxis {
    std::string_view picture;
    std::span<const std::string_view> labels;
};
std::span<const ChainAxis> ChainAxes();

// The compact layout (scenes 0 to 3): a grid of two columns under the top bar, the strips
// and lists in row 1, the panels in row 2. A cell shows some rows of the full layout, each
// named by its first control, laid out as the full layout lays out cells of its role;
// `beside` are controls that stand beside its picture in this layout only (in the full one
// they belong to another stage's cell).
struct CompactCell {
    int row;
    int column;
    std::string_view role;
    std::span<const std::string_view> rows;
    std::span<const std::string_view> beside;
};
std::span<const CompactCell> ChainCompactCells();

}  // namespace linelab
