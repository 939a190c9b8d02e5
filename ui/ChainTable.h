#pragma once
// The window's chain as plain data: which controls stand in which stage column, row by row,
// for any view that lays the form out (the desktop window and the page in the browser both
// read it; names as NameOf gives them). Rows list their controls left to right; the first control
// of a row that is a label is the row's caption.

#include <deque>
#include <span>
#include <string_view>
#include <vector>

#include "ui/PanelTable.h"

namespace linelab {

struct ChainRow {
    std::span<const std::string_view> controls;
};

struct ChainCell {
    std::string_view stage;  // "Transmitter", "Channel", "Receiver", "Output"
    std::string_view role;   // "lists", "eye", "spectrum", "strips", "readout"
    std::span<const ChainRow> rows;
};

// The full layout's cells, column by column and top to bottom (scenes 4 to 6), built from a
// panel table: each panel stands in the cell of its kind and stage, with the controls its row
// puts beside and under it. The compact scenes (0 to 3) show the same controls, those hidden
// in them simply absent. The cells point into the chain, which therefore never moves.
class Chain {
  public:
    explicit Chain(PanelTableView panels = kPanelTable);
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    std::span<const ChainCell> Cells() const { return cells_; }
    // The row of a cell whose first control is `first`; nullptr when none is.
    const ChainRow* RowStartingWith(std::string_view first) const;
    // The cell holding that row; nullptr when none does.
    const ChainCell* CellHolding(std::string_view first) const;

  private:
    void Add(std::string_view stage, std::string_view role, std::span<const ChainRow> rows);
    std::span<const ChainRow> PanelRows(PanelTableView panels, PanelKind kind, PanelStage stage);
    std::span<const ChainRow> StripRows(PanelTableView panels, PanelStage stage,
                                        std::span<const ChainRow> after);

    std::deque<std::vector<std::string_view>> names_;
    std::deque<std::vector<ChainRow>> rows_;
    std::vector<ChainCell> cells_;
};

// The chain of the program's own panel table.
const Chain& TheChain();
std::span<const ChainCell> ChainCells();

// The top bar: the scene and data lists and the run control.
std::span<const std::string_view> ChainTopBar();

// What a desktop layout needs besides the cells; the page lays itself out without it.

// TheChain().RowStartingWith(first).
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
// named by its first control (a cell of panels shows every row of the full cells holding
// them, so a panel added there stands here too), laid out as the full layout lays out cells
// of its role;
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
