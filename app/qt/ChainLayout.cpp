#include "app/qt/ChainLayout.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "app/qt/PicturePanel.h"
#include "app/qt/TickLabelLayout.h"
#include "ui/Form1.h"
#include "ui/Readouts.h"

namespace linelab {
namespace {

constexpr int kMargin = 12;
constexpr int kStageGap = 18;    // between stage columns: room for the stage frames
constexpr int kLegendRoom = 20;  // above the stage columns: room for the stage names
constexpr int kRowGap = 6;
constexpr int kTightStripRoom = 6;  // a strip's height over its least, beside the lesson pane

// Rows and columns of the full layout. The eyes and spectra take every row below the lists;
// the strips, sent and received, share the last column with the output's lists.
constexpr int kTopRow = 0;
constexpr int kLegendRow = 1;
constexpr int kListRow = 2;
constexpr int kEyeRow = 3;
constexpr int kSpectrumRow = 4;
// The three stage columns share the width in this proportion to the last column's.
constexpr int kStageStretch = 3;
constexpr int kOutputStretch = 2;
constexpr int kTx = 0, kRx = 2, kOutput = 3;

QGridLayout* NewGrid() {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return grid;
}

// A label in the first column of a list grid, then the list (or a row of widgets).
void AddListRow(QGridLayout* grid, QWidget* label, QLayout* content) {
    const int row = grid->rowCount();
    if (label != nullptr) grid->addWidget(label, row, 0);
    grid->addLayout(content, row, 1);
}

std::vector<const ChainRow*> RowsOf(const ChainCell& cell) {
    std::vector<const ChainRow*> rows;
    for (const ChainRow& row : cell.rows)
        rows.push_back(&row);
    return rows;
}

}  // namespace

ChainLayout::ChainLayout(QWidget* area, const ControlWidgets& widgets, const Form1& form,
                         const Chain& chain)
    : area_(area), w_(widgets), form_(form), chain_(chain) {}

void ChainLayout::AddNamed(std::string_view name, QWidget* widget) {
    named_.emplace_back(name, widget);
}

ChainLayout::~ChainLayout() = default;  // the area deletes its layout and the fillers

void ChainLayout::Build() {
    for (QWidget* filler : fillers_)
        delete filler;
    fillers_.clear();
    for (auto& column : columns_)
        column.clear();
    delete area_->layout();  // sub-layouts go with it; the widgets stay
    grid_ = new QGridLayout(area_);
    grid_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid_->setVerticalSpacing(kRowGap);
    scene_ = form_.SceneIndex();
    full_ = !form_.CompactLayout();
    if (full_) {
        BuildFull();
    } else {
        BuildCompact();
    }
    EqualizeColumns();
}

// Each stage gets a column in the order the table names them. The stage columns hold their
// lists at the top, their eye and spectrum below; the last column stacks its cells.
void ChainLayout::BuildFull() {
    grid_->setHorizontalSpacing(kStageGap);
    grid_->addLayout(topBar_ = TopBar(), kTopRow, 0, 1, kStageColumns);
    grid_->setRowMinimumHeight(kLegendRow, kLegendRoom);
    std::vector<std::string_view> stages;
    QVBoxLayout* output = nullptr;
    // A stage that shows no picture leaves its column free below its lists: the widest room
    // there is for the pane. Else it stands at the output column's foot, and the strips above
    // it come down to a little over their least, so that a step's text and question read whole
    // there at 1280x800; the eyes and spectra keep all of their room.
    const int free = aside_ != nullptr ? FreeStageColumn() : -1;
    tightStrips_ = aside_ != nullptr && !aside_->isHidden() && free < 0;
    for (const ChainCell& cell : chain_.Cells()) {
        auto stage = std::find(stages.begin(), stages.end(), cell.stage);
        if (stage == stages.end()) stage = stages.insert(stage, cell.stage);
        const int column = static_cast<int>(stage - stages.begin());
        if (column >= kStageColumns) continue;
        // The last column stacks its cells as they are; the others keep theirs at the top.
        QLayout* layout = Cell(cell.role, RowsOf(cell), {}, column != kOutput);
        if (column == kOutput) {
            if (output == nullptr) {
                output = new QVBoxLayout;
                output->setContentsMargins(0, 0, 0, 0);
                output->setSpacing(kRowGap);
                AddStageCell(output, kListRow, kOutput, kSpectrumRow - kListRow + 1);
            }
            output->addLayout(layout);
            continue;
        }
        const int row = cell.role == "eye"        ? kEyeRow
                        : cell.role == "spectrum" ? kSpectrumRow
                                                  : kListRow;
        AddStageCell(layout, row, column);
    }
    if (free >= 0) {
        grid_->addWidget(aside_, kEyeRow, free, kSpectrumRow - kEyeRow + 1, 1);
    } else if (aside_ != nullptr && output != nullptr) {
        output->addWidget(aside_, 1);
    }
    for (int column = 0; column < kStageColumns; ++column)
        grid_->setColumnStretch(column, column == kOutput ? kOutputStretch : kStageStretch);
    grid_->setRowStretch(kEyeRow, 1);
    grid_->setRowStretch(kSpectrumRow, 1);
}

void ChainLayout::BuildCompact() {
    tightStrips_ = false;
    grid_->setHorizontalSpacing(2 * kRowGap);
    grid_->addLayout(topBar_ = TopBar(), 0, 0, 1, 2);
    const auto cells = ChainCompactCells();
    std::vector<QLayout*> layouts;
    for (const CompactCell& cell : cells) {
        Rows rows;
        for (const std::string_view first : cell.rows) {
            if (cell.role == "lists") {
                if (const ChainRow* row = chain_.RowStartingWith(first)) rows.push_back(row);
                continue;
            }
            const ChainCell* full = chain_.CellHolding(first);
            if (full == nullptr) continue;
            for (const ChainRow& row : full->rows)
                if (std::find(rows.begin(), rows.end(), &row) == rows.end()) rows.push_back(&row);
        }
        layouts.push_back(Cell(cell.role, rows, cell.beside, true));
        if (aside_ != nullptr && cell.role == "lists") {
            auto* beside = new QHBoxLayout;
            beside->setContentsMargins(0, 0, 0, 0);
            beside->addLayout(layouts.back());
            beside->addWidget(aside_, 1);
            layouts.back() = beside;
        }
    }
    const auto at = [&](int row, int column) -> QLayout* {
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (cells[i].row == row && cells[i].column == column) return layouts[i];
        return nullptr;
    };
    int lastRow = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const CompactCell& cell = cells[i];
        // The strips take the whole width while nothing is shown beside them.
        const QLayout* right = at(cell.row, cell.column + 1);
        const bool wide = cell.role == "strips" && (right == nullptr || right->isEmpty());
        grid_->addLayout(layouts[i], cell.row, cell.column, 1, wide ? 2 : 1);
        lastRow = std::max(lastRow, cell.row);
    }
    grid_->setColumnStretch(0, 3);
    grid_->setColumnStretch(1, 2);
    // The panels' row takes the room; without an eye the room goes to an empty last row,
    // so the strips keep their height.
    const QLayout* eye = at(lastRow, 0);
    grid_->setRowStretch(eye == nullptr || eye->isEmpty() ? lastRow + 1 : lastRow, 1);
}

void ChainLayout::AddStageCell(QLayout* cell, int row, int column, int rowSpan) {
    grid_->addLayout(cell, row, column, rowSpan, 1);
    columns_[static_cast<std::size_t>(column)].push_back(cell);
}

void ChainLayout::SetAvailableWidth(int width) {
    if (available_ == width) return;
    available_ = width;
    EqualizeColumns();
}

void ChainLayout::EqualizeColumns() {
    if (!full_ || grid_ == nullptr) return;
    int preferred = 0;
    int needed = 0;
    int outputNeeded = 0;
    for (const QLayout* cell : columns_[kOutput])
        outputNeeded = std::max(outputNeeded, cell->minimumSize().width());
    for (int c = kTx; c <= kRx; ++c) {
        for (const QLayout* cell : columns_[static_cast<std::size_t>(c)]) {
            preferred = std::max(preferred, cell->sizeHint().width());
            needed = std::max(needed, cell->minimumSize().width());
        }
    }
    preferred = std::max(preferred, needed);
    int width = preferred;
    if (available_ > 0) {
        const QMargins m = grid_->contentsMargins();
        const int fixed =
            m.left() + m.right() + (kStageColumns - 1) * grid_->horizontalSpacing() + outputNeeded;
        width = std::clamp((available_ - fixed) / (kStageColumns - 1), needed, preferred);
    }
    for (int column = kTx; column <= kRx; ++column)
        grid_->setColumnMinimumWidth(column, width);
    grid_->setColumnMinimumWidth(kOutput, outputNeeded);
}

// From the geometry the grid last gave the column's cells. The grid's own cellRect is not to
// be trusted here: with a cell whose height follows its width (a wrapped readout), every
// query of the area's height for a width (the scroll area asks at each layout change)
// overwrites the rows' positions it returns until the grid is laid out again.
QRect ChainLayout::StageRect(int column) const {
    if (!full_ || grid_ == nullptr || column < 0 || column >= kStageColumns) return QRect();
    QRect rect;
    for (const QLayout* cell : columns_[static_cast<std::size_t>(column)])
        rect = rect.united(cell->geometry());
    return rect;
}

QRect ChainLayout::TopBarRect() const {
    return topBar_ != nullptr ? topBar_->geometry() : QRect();
}

QHBoxLayout* ChainLayout::TopBar() {
    QHBoxLayout* bar = Row(Widgets(ChainTopBar()));
    bar->setContentsMargins(8, 4, 8, 4);
    bar->addStretch(1);
    bar->addWidget(w_.logo);
    return bar;
}

// The stages take their columns in the order the table first names them, as BuildFull places them.
int ChainLayout::FreeStageColumn() const {
    std::vector<std::string_view> stages;
    std::array<bool, kOutput> pictured{};
    for (const ChainCell& cell : chain_.Cells()) {
        auto stage = std::find(stages.begin(), stages.end(), cell.stage);
        if (stage == stages.end()) stage = stages.insert(stage, cell.stage);
        const auto column = static_cast<std::size_t>(stage - stages.begin());
        if (column < kOutput && cell.role != "lists") pictured[column] |= ShowsPicture(cell);
    }
    const auto free = std::find(pictured.begin(), pictured.end(), false);
    return free == pictured.end() ? -1 : static_cast<int>(free - pictured.begin());
}

bool ChainLayout::ShowsPicture(const ChainCell& cell) const {
    for (const ChainRow& row : cell.rows)
        for (const std::string_view name : row.controls)
            if (KindOf(name) == ControlKind::Picture)
                if (const QWidget* picture = Named(name);
                    picture != nullptr && !picture->isHidden())
                    return true;
    return false;
}

QWidget* ChainLayout::Named(std::string_view name) const {
    if (const auto control = FindControl(name)) return w_.WidgetOf(*control);
    for (const auto& [named, widget] : named_)
        if (named == name) return widget;
    return nullptr;
}

// A control's kind from the model; a widget beyond the model's controls by what it is.
ControlKind ChainLayout::KindOf(std::string_view name) const {
    if (const auto control = FindControl(name)) return control->kind;
    const QWidget* widget = Named(name);
    if (qobject_cast<const PicturePanel*>(widget) != nullptr) return ControlKind::Picture;
    if (qobject_cast<const QCheckBox*>(widget) != nullptr) return ControlKind::CheckBox;
    if (qobject_cast<const QScrollBar*>(widget) != nullptr) return ControlKind::Slider;
    if (qobject_cast<const QLabel*>(widget) != nullptr) return ControlKind::Label;
    return ControlKind::Timer;
}

std::vector<QWidget*> ChainLayout::Widgets(Names names) const {
    std::vector<QWidget*> widgets;
    for (const std::string_view name : names)
        if (QWidget* widget = Named(name)) widgets.push_back(widget);
    return widgets;
}

// The readouts stand under the control they measure, in the readout table's order.
std::vector<QWidget*> ChainLayout::ReadoutsAfter(std::string_view name) const {
    std::vector<QWidget*> readouts;
    const auto table = Readouts();
    for (std::size_t i = 0; i < table.size() && i < w_.readouts.size(); ++i)
        if (table[i].anchor == name && w_.readouts[i] != nullptr)
            readouts.push_back(w_.readouts[i]);
    return readouts;
}

QHBoxLayout* ChainLayout::Row(const std::vector<QWidget*>& widgets) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

QLayout* ChainLayout::Cell(std::string_view role, const Rows& rows, Names beside, bool top) {
    if (role == "strips") return StripsCell(rows);
    if (role == "eye") return PanelCell(rows, beside, false);
    if (role == "spectrum") return PanelCell(rows, beside, true);
    if (role == "readout") return ReadoutCell(rows);
    return ListsCell(rows, top);
}

// A label that starts a row is its caption, in the first column; the rest of the row
// follows in the second. A check box alone spans both. With `top` the lists stand at the
// top of their place, and a label alone at its foot.
QLayout* ChainLayout::ListsCell(const Rows& rows, bool top) {
    QGridLayout* grid = NewGrid();
    QWidget* foot = nullptr;
    for (const ChainRow* row : rows) {
        std::vector<QWidget*> widgets = Widgets(row->controls);
        if (widgets.empty()) continue;
        const ControlKind first = KindOf(row->controls.front());
        if (widgets.size() == 1 && first == ControlKind::Label) {
            foot = widgets.front();
        } else if (widgets.size() == 1 && first == ControlKind::CheckBox) {
            grid->addWidget(widgets.front(), grid->rowCount(), 0, 1, 2);
        } else {
            QWidget* caption = nullptr;
            if (first == ControlKind::Label) {
                caption = widgets.front();
                widgets.erase(widgets.begin());
            }
            AddListRow(grid, caption, Row(widgets));
        }
        for (const std::string_view name : row->controls)
            for (QWidget* readout : ReadoutsAfter(name))
                AddListRow(grid, nullptr, Row({readout}));
    }
    if (!top) {
        if (foot != nullptr) grid->addWidget(foot, grid->rowCount(), 0, 1, 2);
        return grid;
    }
    auto* box = new QVBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(grid);
    box->addStretch(1);
    if (foot != nullptr) box->addWidget(foot);
    return box;
}

// Each check box with the picture it switches on one row; a row of sliders under the
// pictures, the first (the scroll) three times as wide as the others.
QLayout* ChainLayout::StripsCell(const Rows& rows) {
    QGridLayout* grid = NewGrid();
    for (const ChainRow* row : rows) {
        QHBoxLayout* sliders = nullptr;
        for (std::size_t i = 0; i < row->controls.size(); ++i) {
            QWidget* widget = Named(row->controls[i]);
            if (widget == nullptr) continue;
            const ControlKind kind = KindOf(row->controls[i]);
            if (kind == ControlKind::CheckBox && i + 1 < row->controls.size() &&
                KindOf(row->controls[i + 1]) == ControlKind::Picture) {
                const int at = grid->rowCount();
                grid->addWidget(widget, at, 0, Qt::AlignVCenter);
                if (QWidget* picture = Named(row->controls[++i])) {
                    picture->setMaximumHeight(tightStrips_ ? picture->minimumSizeHint().height() +
                                                                 kTightStripRoom
                                                           : kStripMaxHeight);
                    grid->addWidget(picture, at, 1);
                }
            } else {
                if (sliders == nullptr) {
                    sliders = new QHBoxLayout;
                    sliders->setContentsMargins(0, 0, 0, 0);
                    grid->addLayout(sliders, grid->rowCount(), 1);
                }
                sliders->addWidget(widget, sliders->count() == 0 ? 3 : 1);
            }
        }
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

// An eye or a spectrum: its check box, its picture, a vertical slider at the right and (an
// eye) a horizontal one below. In the full layout every panel cell has the same frame
// around its picture (a slider or a filler of the same size on each side), so equal cells
// give equal panels. A spectrum's further rows (axis labels, switches) follow below.
QLayout* ChainLayout::PanelCell(const Rows& rows, Names beside, bool spectrum) {
    QGridLayout* grid = NewGrid();
    QWidget* vertical = nullptr;
    QWidget* horizontal = nullptr;
    const ChainAxis* axis = nullptr;
    const auto place = [&](std::string_view name) {
        QWidget* widget = Named(name);
        if (widget == nullptr) return;
        switch (KindOf(name)) {
            case ControlKind::CheckBox:
                grid->addWidget(widget, 0, 0, Qt::AlignTop);
                break;
            case ControlKind::Picture:
                grid->addWidget(widget, 0, 1);
                for (const ChainAxis& a : ChainAxes())
                    if (a.picture == name) axis = &a;
                break;
            case ControlKind::Slider:
                (static_cast<QScrollBar*>(widget)->orientation() == Qt::Vertical ? vertical
                                                                                 : horizontal) =
                    widget;
                break;
            default:
                break;
        }
    };
    if (!rows.empty()) {
        for (const std::string_view name : rows.front()->controls)
            place(name);
    }
    for (const std::string_view name : beside)
        place(name);
    const QScrollBar* sized =
        w_.Slider(spectrum ? SliderId::vscSpectrumRange : SliderId::vscThreshold);
    if (QWidget* right =
            vertical != nullptr ? vertical : Filler(QSize(sized->sizeHint().width(), 0)))
        grid->addWidget(right, 0, 2);
    if (!spectrum) {
        const int down = w_.Slider(SliderId::hscSample)->sizeHint().height();
        if (QWidget* below = horizontal != nullptr ? horizontal : Filler(QSize(0, down)))
            grid->addWidget(below, 1, 1);
    }
    if (axis != nullptr) grid->addLayout(Axis(*axis), 1, 1);
    for (std::size_t i = 1; i < rows.size(); ++i)
        grid->addLayout(Row(Widgets(rows[i]->controls)), grid->rowCount(), 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return grid;
}

// Labels under the picture, each on its tick: the frequencies of the spectrum.
QLayout* ChainLayout::Axis(const ChainAxis& axis) {
    auto* row = new TickLabelLayout(qobject_cast<const PicturePanel*>(Named(axis.picture)));
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* label : Widgets(axis.labels))
        row->addWidget(label);
    return row;
}

QLayout* ChainLayout::ReadoutCell(const Rows& rows) {
    auto* box = new QVBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    for (const ChainRow* row : rows) {
        for (const std::string_view name : row->controls) {
            if (QWidget* widget = Named(name)) box->addWidget(widget);
            for (QWidget* readout : ReadoutsAfter(name))
                box->addWidget(readout);
        }
    }
    box->addStretch(1);
    return box;
}

// Only the full layout matches cells with fillers; the compact one has nothing to match.
QWidget* ChainLayout::Filler(QSize size) {
    if (!full_) return nullptr;
    auto* filler = new QWidget(area_);
    if (size.width() > 0) filler->setFixedWidth(size.width());
    if (size.height() > 0) filler->setFixedHeight(size.height());
    filler->setAttribute(Qt::WA_TransparentForMouseEvents);
    filler->show();
    fillers_.push_back(filler);
    return filler;
}

}  // namespace linelab
