#pragma once
// Every control of the main window as plain data: one table of structs per kind, each
// control addressable by the name the window gives it ("cmbCode(0)", "lblFreq(3)", "picRxEye").
// The model (Form1) owns the tables; views read them and act through Form1.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/PanelList.h"

namespace linelab {

class Canvas;

enum class ControlKind { List, CheckBox, Slider, Label, Button, Picture, Decoration, Timer };

// Control arrays (two transmitter/receiver elements, nine frequency labels, twenty hint
// lines) are consecutive enumerators; Element() picks one by its index.
enum class ListId : int {
    cmbData,
    cmbPreCode0,
    cmbPreCode1,
    cmbCode0,
    cmbCode1,
    cmbMod0,
    cmbMod1,
    cmbTxModPC0,
    cmbTxModPC1,
    cmbTxFilter0,
    cmbTxFilter1,
    cmbTxBW0,
    cmbTxBW1,
    cmbTxEB0,
    cmbTxEB1,
    cmbHighPass,
    cmbLowPass,
    cmbNoise,
    cmbMultipathDelay,
    cmbMultipathMag,
    cmbScene,
    Count
};

// The panels' check boxes first, in the order of the panel list (common/PanelList.h).
#define LINELAB_PANEL_CHECK(id, ...) chk##id,
enum class CheckId : int {
    LINELAB_PANELS(LINELAB_PANEL_CHECK) chkInvert,
    chkLinear,
    chkMemory,
    chkFixedNoise,  // beside the noise box: a fixed noise density instead of per-run scaling
    Count
};
#undef LINELAB_PANEL_CHECK

enum class SliderId : int {
    hscDataZoom,
    hscDataScroll,
    vscSpectrumRange,
    vscTxEyeScale,
    vscThreshold,
    hscSample,
    Count
};

enum class LabelId : int {
    Label1,
    lblPreCoding,
    lblCoding,
    lblModulation,
    lblModulationPC,
    lblTxFilter,
    lblPCkHz0,
    lblPCkHz1,
    lblHighPass,
    lblHPkHz,
    lblLowPass,
    lblLPkHz,
    lblNoise,
    lblNoiseW,
    lblMultipath,
    lblMultipathDelay,
    lblMultipathPC,
    lblRxFilter,
    lblDemod,
    lblDemodPC,
    lblDecode,
    lblPostCoding,
    lblOutput,
    lblBER,
    lblAsTransmitter,
    lblDiscriminator,
    lblFreq0,
    lblFreq1,
    lblFreq2,
    lblFreq3,
    lblFreq4,
    lblFreq5,
    lblFreq6,
    lblFreq7,
    lblFreq8,
    Count
};

// One picture per panel, in the order of the panel list: each kind's pictures are
// consecutive, as its check boxes are.
#define LINELAB_PANEL_PICTURE(id, ...) pic##id,
enum class PictureId : int { LINELAB_PANELS(LINELAB_PANEL_PICTURE) Count };
#undef LINELAB_PANEL_PICTURE

enum class DecorationId : int {
    lneHint0,
    lneHint1,
    lneHint2,
    lneHint3,
    lneHint4,
    lneHint5,
    lneHint6,
    lneHint7,
    lneHint8,
    lneHint9,
    lneHint10,
    lneHint11,
    lneHint12,
    lneHint13,
    lneHint14,
    lneHint15,
    lneHint16,
    lneHint17,
    lneHint18,
    lneHint19,
    shpTx,
    shpChannel,
    shpRx,
    shpOutput,
    Shape1,
    Line1,
    imgLogo,
    Count
};

template <typename Id>
constexpr int CountOf() {
    return static_cast<int>(Id::Count);
}

// Element `index` of the control array whose element 0 is `first`.
template <typename Id>
constexpr Id Element(Id first, int index) {
    return static_cast<Id>(static_cast<int>(first) + index);
}

// A control of any kind: its kind and its position in that kind's table. The pause button
// and the timer are the only members of their kinds (index 0).
struct ControlRef {
    ControlKind kind = ControlKind::List;
    int index = 0;

    constexpr ControlRef() = default;
    constexpr ControlRef(ControlKind k, int i) : kind(k), index(i) {}
    constexpr ControlRef(ListId id) : kind(ControlKind::List), index(static_cast<int>(id)) {}
    constexpr ControlRef(CheckId id) : kind(ControlKind::CheckBox), index(static_cast<int>(id)) {}
    constexpr ControlRef(SliderId id) : kind(ControlKind::Slider), index(static_cast<int>(id)) {}
    constexpr ControlRef(LabelId id) : kind(ControlKind::Label), index(static_cast<int>(id)) {}
    constexpr ControlRef(PictureId id) : kind(ControlKind::Picture), index(static_cast<int>(id)) {}
    constexpr ControlRef(DecorationId id)
        : kind(ControlKind::Decoration), index(static_cast<int>(id)) {}

    friend constexpr bool operator==(const ControlRef&, const ControlRef&) = default;
};

inline constexpr ControlRef kPauseButton{ControlKind::Button, 0};  // cmdPause
inline constexpr ControlRef kTimer{ControlKind::Timer, 0};         // Timer1

// Names: "cmbCode(1)" for an array element, "cmbData" otherwise.
std::string_view NameOf(ControlRef control);
std::optional<ControlRef> FindControl(std::string_view name);
// Every control, lists first, then check boxes, sliders, labels, the button, pictures,
// decorations and the timer; within a kind in the order of its enumeration.
std::span<const ControlRef> AllControls();
std::span<const std::string_view> ControlNames();  // same order as AllControls()

// Longest text a list accepts; a longer text is refused (the view limits its edit fields
// to the same length). Every number the program reads fits easily.
inline constexpr std::size_t kMaxListText = 200;

struct ListControl {
    std::string_view name;
    std::vector<std::string> items;  // in list order
    std::string text;                // the current text: the setting
    bool editable = false;           // false: only one of its own items is accepted
    bool visible = true;

    int ListIndex() const;  // position of text among items, -1 when none
};

struct CheckControl {
    std::string_view name;
    int value = 0;  // 0 or 1
    std::string caption;
    int32_t captionColour = 0;  // 24-bit blue-green-red
    bool visible = true;
};

struct SliderControl {
    std::string_view name;
    bool vertical = false;
    int min = 0;
    int max = 0;
    int smallChange = 1;  // an arrow
    int largeChange = 1;  // a click beside the thumb
    int value = 0;
    bool visible = true;
};

struct LabelControl {
    std::string_view name;
    std::string caption;
    int32_t colour = 0;
    bool visible = true;
};

struct ButtonControl {
    std::string_view name;
    std::string caption;
    bool visible = true;
};

struct PictureControl {
    std::string_view name;
    bool visible = true;
    int width = 0;             // the model's panel size in pixels; the default canvas has this size
    int height = 0;            // (times 15 units per pixel)
    Canvas* canvas = nullptr;  // never null: the attached canvas or the model's own
};

struct DecorationControl {
    std::string_view name;
    bool visible = true;
};

struct TimerControl {
    std::string_view name;
    bool enabled = true;
    int interval = 100;  // milliseconds
};

}  // namespace linelab
