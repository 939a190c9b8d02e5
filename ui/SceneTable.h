#pragma once
// What each of the seven scenes shows and switches: one row per group of controls, one
// column per scene; the panels' rows are in the panel table (ui/PanelTable.h). Every control
// not shown by some row of a scene is hidden in it, except the few that belong to every scene
// (kAlwaysShown).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/Controls.h"
#include "ui/PanelTable.h"

namespace linelab {

struct SceneGroup {
    std::span<const ControlRef> members;
    std::array<uint8_t, kSceneCount> cells;
    // Caption of the first member (a label) per scene; empty: left alone.
    std::array<std::string_view, kSceneCount> captions{};
};

inline constexpr std::array<ControlRef, 6> kAlwaysShown = {
    ListId::cmbData, ListId::cmbScene,     LabelId::Label1,
    kPauseButton,    DecorationId::Shape1, DecorationId::Line1};

namespace scene {

using C = ControlRef;

inline constexpr std::array<C, 2> kStripSliders = {SliderId::hscDataScroll, SliderId::hscDataZoom};
inline constexpr std::array<C, 1> kLogo = {DecorationId::imgLogo};
inline constexpr std::array<C, 4> kTxCodes = {ListId::cmbPreCode0, LabelId::lblPreCoding,
                                              ListId::cmbCode0, LabelId::lblCoding};
inline constexpr std::array<C, 4> kTxFormat = {ListId::cmbMod0, LabelId::lblModulation,
                                               ListId::cmbTxModPC0, LabelId::lblModulationPC};
inline constexpr std::array<C, 4> kTxFilter = {ListId::cmbTxFilter0, ListId::cmbTxBW0,
                                               LabelId::lblTxFilter, LabelId::lblPCkHz0};
inline constexpr std::array<C, 3> kHighPass = {ListId::cmbHighPass, LabelId::lblHighPass,
                                               LabelId::lblHPkHz};
inline constexpr std::array<C, 1> kInvert = {CheckId::chkInvert};
inline constexpr std::array<C, 1> kEyeScale = {SliderId::vscTxEyeScale};
inline constexpr std::array<C, 1> kSpectrumRange = {SliderId::vscSpectrumRange};
inline constexpr std::array<C, 11> kSpectrumOptions = {
    CheckId::chkLinear, CheckId::chkMemory, LabelId::lblFreq0, LabelId::lblFreq1,
    LabelId::lblFreq2,  LabelId::lblFreq3,  LabelId::lblFreq4, LabelId::lblFreq5,
    LabelId::lblFreq6,  LabelId::lblFreq7,  LabelId::lblFreq8};
inline constexpr std::array<C, 3> kReceiverSliders = {SliderId::vscTxEyeScale,
                                                      SliderId::vscThreshold, SliderId::hscSample};
inline constexpr std::array<C, 3> kRxFilter = {ListId::cmbTxFilter1, ListId::cmbTxBW1,
                                               LabelId::lblPCkHz1};
inline constexpr std::array<C, 4> kRxCodes = {ListId::cmbPreCode1, ListId::cmbCode1,
                                              ListId::cmbMod1, ListId::cmbTxModPC1};
inline constexpr std::array<C, 28> kStages = {
    LabelId::lblDiscriminator, DecorationId::lneHint0,   DecorationId::lneHint1,
    DecorationId::lneHint2,    DecorationId::lneHint3,   DecorationId::lneHint4,
    DecorationId::lneHint5,    DecorationId::lneHint6,   DecorationId::lneHint7,
    DecorationId::lneHint8,    DecorationId::lneHint9,   DecorationId::lneHint10,
    DecorationId::lneHint11,   DecorationId::lneHint12,  DecorationId::lneHint13,
    DecorationId::lneHint14,   DecorationId::lneHint15,  DecorationId::lneHint16,
    DecorationId::lneHint17,   DecorationId::lneHint18,  DecorationId::lneHint19,
    DecorationId::shpTx,       DecorationId::shpChannel, DecorationId::shpRx,
    DecorationId::shpOutput,   LabelId::lblOutput,       LabelId::lblBER,
    LabelId::lblRxFilter};
inline constexpr std::array<C, 3> kDemodLabels = {LabelId::lblDemod, LabelId::lblDemodPC,
                                                  LabelId::lblDecode};
inline constexpr std::array<C, 1> kLowPassLabel = {LabelId::lblLowPass};
inline constexpr std::array<C, 2> kLowPass = {ListId::cmbLowPass, LabelId::lblLPkHz};
inline constexpr std::array<C, 1> kPostCodingLabel = {LabelId::lblPostCoding};
inline constexpr std::array<C, 4> kNoise = {ListId::cmbNoise, LabelId::lblNoise, LabelId::lblNoiseW,
                                            CheckId::chkFixedNoise};
inline constexpr std::array<C, 5> kMultipath = {ListId::cmbMultipathDelay, ListId::cmbMultipathMag,
                                                LabelId::lblMultipath, LabelId::lblMultipathDelay,
                                                LabelId::lblMultipathPC};
inline constexpr std::array<C, 1> kAsTransmitter = {LabelId::lblAsTransmitter};

}  // namespace scene

// The scene table. A control in two rows (vscTxEyeScale) is shown when either row shows it.
inline constexpr auto kSceneTable = [] {
    using namespace scene;
    using Cells = SceneCells;
    return std::array<SceneGroup, 21>{{
        // members, cells for scenes 0 to 6
        {kStripSliders, Cells{Y, Y, Y, Y, Y, Y, Y}},
        {kLogo, Cells{Y, Y, Y, Y, _, _, _}},
        {kTxCodes, Cells{_, Y, _, Y, Y, Y, Y}},
        {kTxFormat, Cells{_, Y, Y, Y, Y, Y, Y}},
        {kTxFilter, Cells{_, _, Y, Y, Y, Y, Y}},
        {kHighPass, Cells{_, _, Y, Y, _, _, Y}},
        {kInvert, Cells{_, _, Y, Y, Y, _, _}},
        {kEyeScale, Cells{_, _, Y, Y, _, _, Y}},
        {kSpectrumRange, Cells{_, _, Y, Y, Y, Y, Y}},
        {kSpectrumOptions, Cells{_, _, Y, Y, _, _, _}},
        {kReceiverSliders, Cells{_, _, _, _, Y, Y, Y}},
        {kRxFilter, Cells{_, _, _, _, Y, Y, Y}},
        {kRxCodes, Cells{_, _, _, _, Y, Y, _}},
        {kStages, Cells{_, _, _, _, Y, Y, Y}},
        {kDemodLabels, Cells{_, _, _, _, Y, Y, _}},
        {kLowPassLabel,
         Cells{_, _, _, _, Y, _, Y},
         {"Low Pass", "Low Pass", "Low Pass", "Low Pass", "Perfect Channel", "Low Pass",
          "Low Pass"}},
        {kLowPass, Cells{_, _, _, _, _, _, Y}},
        {kPostCodingLabel,
         Cells{_, _, _, _, Y, Y, Y},
         {"Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding",
          "Rest"}},
        {kNoise, Cells{_, _, _, _, _, Y, Y}},
        {kMultipath, Cells{_, _, _, _, _, _, Y}},
        {kAsTransmitter, Cells{_, _, _, _, _, _, Y}},
    }};
}();

}  // namespace linelab
