#pragma once
// The window's chain as plain data: which controls stand in which stage column, row by row,
// for any view that lays the form out (the page in the browser reads it; names as NameOf
// gives them). Rows list their controls left to right; the first control of a row that is a
// label is the row's caption.

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

}  // namespace linelab
