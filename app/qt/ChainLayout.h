#pragma once
// Arranges the control widgets for the model's current scene, walking the chain table
// (ui/ChainTable.h) that the page lays itself out from too, so a control placed there is
// placed here. Scenes 0-3 use a compact layout: the transmitter's strips and lists in the
// upper part, the channel's eye and spectrum below. Scenes 4-6 use the full layout: one column per
// stage (transmitter, channel, receiver) from left to right, its lists above its eye and spectrum,
// which share rows and take all the height below the lists; the last column holds the strips, sent
// and received, around the output's lists and the BER. Hidden widgets take no room, so a
// scene never leaves a hole.

#include <QRect>
#include <QSize>
#include <array>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "app/qt/ControlWidgets.h"
#include "ui/ChainTable.h"
#include "ui/Controls.h"

class QGridLayout;
class QHBoxLayout;
class QLayout;
class QWidget;

namespace linelab {

class Form1;

inline constexpr int kStageColumns = 4;

class ChainLayout {
  public:
    // `chain`: the cells to lay out, by default those of the program's own panel table.
    ChainLayout(QWidget* area, const ControlWidgets& widgets, const Form1& form,
                const Chain& chain = TheChain());
    ~ChainLayout();
    ChainLayout(const ChainLayout&) = delete;
    ChainLayout& operator=(const ChainLayout&) = delete;

    // Replaces the current layout with the one of the model's scene.
    void Build();
    // Full layout: gives the three stage columns the same minimum width, so the three eye
    // panels (which share a row) come out the same size: the widest column's preferred width
    // where the room allows, else an equal share of the room the last column leaves, but
    // never less than any column needs.
    void EqualizeColumns();
    // The width the area is shown in (the scroll area's viewport); 0 when unknown.
    void SetAvailableWidth(int width);
    // A widget that lives in the room the chain leaves free, so it never takes the pictures'
    // room: in the column of a stage that shows no picture, else in the output column under
    // its readouts (full layout); beside the transmitter's lists (compact layout). Laid out at
    // the next Build().
    void SetAside(QWidget* aside) { aside_ = aside; }
    // A widget the chain names that is none of the model's controls (a panel of a table
    // beyond the program's own), placed where the chain names it at the next Build().
    void AddNamed(std::string_view name, QWidget* widget);

    bool Full() const { return full_; }
    int Scene() const { return scene_; }
    // The area of stage column 0..3 (full layout only; empty otherwise).
    QRect StageRect(int column) const;
    QRect TopBarRect() const;

  private:
    using Rows = std::vector<const ChainRow*>;
    using Names = std::span<const std::string_view>;

    QWidget* aside_ = nullptr;
    void BuildFull();
    void BuildCompact();
    QHBoxLayout* TopBar();
    // A cell of the table laid out by its role; `beside` joins its picture's sliders, `top`
    // keeps lists at the top of their place.
    QLayout* Cell(std::string_view role, const Rows& rows, Names beside, bool top);
    QLayout* ListsCell(const Rows& rows, bool top);
    QLayout* StripsCell(const Rows& rows);
    QLayout* PanelCell(const Rows& rows, Names beside, bool spectrum);
    QLayout* ReadoutCell(const Rows& rows);
    QLayout* Axis(const ChainAxis& axis);
    QWidget* Named(std::string_view name) const;
    ControlKind KindOf(std::string_view name) const;
    // The first stage column of the full layout that shows no picture in the model's scene;
    // -1 when each shows one.
    int FreeStageColumn() const;
    // Whether a cell shows a picture in the model's scene.
    bool ShowsPicture(const ChainCell& cell) const;
    std::vector<QWidget*> Widgets(Names names) const;
    std::vector<QWidget*> ReadoutsAfter(std::string_view name) const;
    QHBoxLayout* Row(const std::vector<QWidget*>& widgets);
    QWidget* Filler(QSize size);
    void AddStageCell(QLayout* cell, int row, int column, int rowSpan = 1);

    QWidget* area_;
    const ControlWidgets& w_;
    const Form1& form_;
    const Chain& chain_;
    std::vector<std::pair<std::string_view, QWidget*>> named_;
    QGridLayout* grid_ = nullptr;
    QLayout* topBar_ = nullptr;
    std::vector<QWidget*> fillers_;
    std::array<std::vector<QLayout*>, kStageColumns> columns_;
    bool full_ = false;
    bool tightStrips_ = false;
    int available_ = 0;
    int scene_ = -1;
};

}  // namespace linelab
