#pragma once
// The panel list (common/PanelList.h) as the form model reads it: per panel its check box and
// picture, its kind and stage, its title, its tooltips, its cell in each scene, the controls
// that stand with it in its layout cell and its hint arrows. The shown set, the tooltips, the
// panel frames, the scenes, the chain both front ends lay out, the hint arrows and the panel
// handlers all read this table, so a panel's row is the only place that says where it stands.
// Whatever lays panels out takes the table as a span (the real one by default), so a table
// with a panel more lays out as well.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/LinkConfig.h"
#include "ports/Panels.h"
#include "ui/Controls.h"

namespace linelab {

inline constexpr int kSceneCount = 7;

// A scene's cell: whether a panel (or a group of other controls) is shown, whether a panel's
// check box is shown with it, and the value the box is set to (left alone when neither kOn
// nor kOff).
inline constexpr uint8_t kShown = 1;
inline constexpr uint8_t kBoxes = 2;
inline constexpr uint8_t kOn = 4;
inline constexpr uint8_t kOff = 8;
using SceneCells = std::array<uint8_t, kSceneCount>;

namespace scene {
constexpr uint8_t _ = 0;
constexpr uint8_t Y = kShown;
constexpr uint8_t YOn = kShown | kOn;             // shown and on, its box hidden
constexpr uint8_t BOn = kShown | kBoxes | kOn;    // shown with its box, on
constexpr uint8_t BOff = kShown | kBoxes | kOff;  // shown with its box, off
constexpr uint8_t HOff = kOff;                    // hidden and off

constexpr SceneCells Cells(uint8_t s0, uint8_t s1, uint8_t s2, uint8_t s3, uint8_t s4, uint8_t s5,
                           uint8_t s6) {
    return {s0, s1, s2, s3, s4, s5, s6};
}
}  // namespace scene

enum class PanelKind : uint8_t { Strip, Eye, Spectrum };
// Controls by name, in order; unused places are empty.
using PanelNames = std::array<std::string_view, 3>;
enum class PanelStage : uint8_t { Transmitter, Channel, Receiver };

// The model's size of a panel of each kind, in pixels.
struct PanelSize {
    int width;
    int height;
};
constexpr PanelSize PanelPixels(PanelKind kind) {
    switch (kind) {
        case PanelKind::Strip:
            return {600, 48};
        case PanelKind::Eye:
            return {200, 150};
        case PanelKind::Spectrum:
            return {256, 150};
    }
    return {0, 0};
}

struct PanelDescriptor {
    PanelId panel;
    CheckId check;
    PictureId picture;
    PanelKind kind;
    int kindIndex;  // its StripPanel, EyePanel or SpectrumPanel
    PanelStage stage;
    std::string_view title;       // a strip's name; empty for eyes and spectra
    std::string_view checkTip;    // what the check box does
    std::string_view pictureTip;  // what the picture shows
    SceneCells scenes;
    std::string_view checkName;    // "chk" and the panel's name
    std::string_view pictureName;  // "pic" and the panel's name
    PanelNames beside;             // beside its picture in its layout cell
    PanelNames under;              // a row of their own under its picture
    PanelNames from;               // the controls whose hint arrows lead into it
    PanelNames next;               // the controls its hint arrows lead on to
};

// The controls the panel list's last four columns stand for: a panel's id for its picture,
// and the view settings and captions that stand with the panels for their controls.
namespace panel_control {
#define LINELAB_PICTURE_NAME_OF(id, ...) inline constexpr std::string_view id = "pic" #id;
LINELAB_PANELS(LINELAB_PICTURE_NAME_OF)
#undef LINELAB_PICTURE_NAME_OF
inline constexpr std::string_view StripScroll = "hscDataScroll";
inline constexpr std::string_view TxEyeScale = "vscTxEyeScale";
inline constexpr std::string_view Thresholds = "vscThreshold";
inline constexpr std::string_view SamplingInstant = "hscSample";
inline constexpr std::string_view Discriminator = "lblDiscriminator";
inline constexpr std::string_view Output = "lblOutput";
inline constexpr std::string_view SpectrumRange = "vscSpectrumRange";
inline constexpr std::string_view LinearScale = "chkLinear";
inline constexpr std::string_view MemoryTrace = "chkMemory";
}  // namespace panel_control

// A column's names (none to three) as the controls they stand for.
#define LINELAB_CONTROL_0()
#define LINELAB_CONTROL_1(a) panel_control::a
#define LINELAB_CONTROL_2(a, b) panel_control::a, panel_control::b
#define LINELAB_CONTROL_3(a, b, c) panel_control::a, panel_control::b, panel_control::c
#define LINELAB_CONTROL_PICK(a, b, c, pick, ...) pick
#define LINELAB_NAMES(...)                                                                    \
    PanelNames {                                                                              \
        LINELAB_CONTROL_PICK(__VA_ARGS__ __VA_OPT__(, ) LINELAB_CONTROL_3, LINELAB_CONTROL_2, \
                             LINELAB_CONTROL_1, LINELAB_CONTROL_0)                            \
        (__VA_ARGS__)                                                                         \
    }
#define LINELAB_DESCRIBE(kind, kindIndex, id, stage, title, checkTip, pictureTip, scenes, beside, \
                         under, from, next)                                                       \
    PanelDescriptor{PanelId::id,                                                                  \
                    CheckId::chk##id,                                                             \
                    PictureId::pic##id,                                                           \
                    kind,                                                                         \
                    static_cast<int>(kindIndex),                                                  \
                    PanelStage::stage,                                                            \
                    title,                                                                        \
                    checkTip,                                                                     \
                    pictureTip,                                                                   \
                    Cells scenes,                                                                 \
                    "chk" #id,                                                                    \
                    "pic" #id,                                                                    \
                    LINELAB_NAMES beside,                                                         \
                    LINELAB_NAMES under,                                                          \
                    LINELAB_NAMES from,                                                           \
                    LINELAB_NAMES next},
#define LINELAB_STRIP_ROW(id, kindId, ...) \
    LINELAB_DESCRIBE(PanelKind::Strip, StripPanel::kindId, id, __VA_ARGS__)
#define LINELAB_EYE_ROW(id, kindId, ...) \
    LINELAB_DESCRIBE(PanelKind::Eye, EyePanel::kindId, id, __VA_ARGS__)
#define LINELAB_SPECTRUM_ROW(id, kindId, ...) \
    LINELAB_DESCRIBE(PanelKind::Spectrum, SpectrumPanel::kindId, id, __VA_ARGS__)
inline constexpr std::array<PanelDescriptor, kPanelCount> kPanelTable = [] {
    using namespace scene;
    return std::array<PanelDescriptor, kPanelCount>{
        LINELAB_STRIP_PANELS(LINELAB_STRIP_ROW) LINELAB_EYE_PANELS(LINELAB_EYE_ROW)
            LINELAB_SPECTRUM_PANELS(LINELAB_SPECTRUM_ROW)};
}();
#undef LINELAB_NAMES
#undef LINELAB_CONTROL_PICK
#undef LINELAB_CONTROL_0
#undef LINELAB_CONTROL_1
#undef LINELAB_CONTROL_2
#undef LINELAB_CONTROL_3
#undef LINELAB_DESCRIBE
#undef LINELAB_STRIP_ROW
#undef LINELAB_EYE_ROW
#undef LINELAB_SPECTRUM_ROW

// Whether a scene shows a panel, and its check box.
constexpr bool ShownIn(const PanelDescriptor& panel, int scene) {
    return (panel.scenes[static_cast<std::size_t>(scene)] & kShown) != 0;
}
constexpr bool BoxShownIn(const PanelDescriptor& panel, int scene) {
    return (panel.scenes[static_cast<std::size_t>(scene)] & kBoxes) != 0;
}

// A panel's descriptor, and its check box and picture, from its id within its kind.
inline const PanelDescriptor& Describe(StripPanel panel) {
    return kPanelTable[static_cast<std::size_t>(PanelOf(panel))];
}
inline const PanelDescriptor& Describe(EyePanel panel) {
    return kPanelTable[static_cast<std::size_t>(PanelOf(panel))];
}
inline const PanelDescriptor& Describe(SpectrumPanel panel) {
    return kPanelTable[static_cast<std::size_t>(PanelOf(panel))];
}

// The table as the layouts take it.
using PanelTableView = std::span<const PanelDescriptor>;

inline const PanelDescriptor& Describe(PanelId panel) {
    return kPanelTable[static_cast<std::size_t>(panel)];
}

// The descriptor whose check box or picture this control is, if any.
inline const PanelDescriptor* DescriptorOf(ControlRef control) {
    for (const PanelDescriptor& d : kPanelTable) {
        if (control == ControlRef(d.check) || control == ControlRef(d.picture)) return &d;
    }
    return nullptr;
}

}  // namespace linelab
