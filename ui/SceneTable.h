#pragma once
// What each of the seven scenes shows and switches: one row per group of controls, one
// column per scene. Every control not shown by some row of a scene is hidden in it, except
// the few that belong to every scene (kAlwaysShown).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/Controls.h"
#include "ui/Scenes.h"

namespace linelab {

// A cell: whether the group is shown, whether its check boxes are shown with it, and the
// value its check boxes are set to (left alone when neither kOn nor kOff).
inline constexpr uint8_t kShown = 1;
inline constexpr uint8_t kBoxes = 2;
inline constexpr uint8_t kOn = 4;
inline constexpr uint8_t kOff = 8;

struct SceneGroup {
    std::span<const ControlRef> members;
    std::span<const CheckId> boxes;
    std::array<uint8_t, kSceneCount> cells;
    // Caption of the first member (a label) per scene; empty: left alone.
    std::array<std::string_view, kSceneCount> captions{};
};

inline constexpr std::array<ControlRef, 6> kAlwaysShown = {
    ListId::cmbData, ListId::cmbScene,     LabelId::Label1,
    kPauseButton,    DecorationId::Shape1, DecorationId::Line1};

namespace scene {

using C = ControlRef;

inline constexpr std::array<C, 3> kData = {PictureId::picData, SliderId::hscDataScroll,
                                           SliderId::hscDataZoom};
inline constexpr std::array<CheckId, 1> kDataBox = {CheckId::chkData};
inline constexpr std::array<C, 1> kLogo = {DecorationId::imgLogo};
inline constexpr std::array<C, 2> kPreCoded = {PictureId::picPreData, PictureId::picCodedData};
inline constexpr std::array<CheckId, 2> kPreCodedBoxes = {CheckId::chkPreData,
                                                          CheckId::chkCodedData};
inline constexpr std::array<C, 1> kModulated = {PictureId::picModData};
inline constexpr std::array<CheckId, 1> kModulatedBox = {CheckId::chkModData};
inline constexpr std::array<C, 4> kTxCodes = {ListId::cmbPreCode0, LabelId::lblPreCoding,
                                              ListId::cmbCode0, LabelId::lblCoding};
inline constexpr std::array<C, 4> kTxFormat = {ListId::cmbMod0, LabelId::lblModulation,
                                               ListId::cmbTxModPC0, LabelId::lblModulationPC};
inline constexpr std::array<C, 4> kTxFilter = {ListId::cmbTxFilter0, ListId::cmbTxBW0,
                                               LabelId::lblTxFilter, LabelId::lblPCkHz0};
inline constexpr std::array<C, 3> kHighPass = {ListId::cmbHighPass, LabelId::lblHighPass,
                                               LabelId::lblHPkHz};
inline constexpr std::array<C, 1> kInvert = {CheckId::chkInvert};
inline constexpr std::array<C, 2> kChannelEye = {PictureId::picChannelEye, SliderId::vscTxEyeScale};
inline constexpr std::array<CheckId, 1> kChannelEyeBox = {CheckId::chkChannelEye};
inline constexpr std::array<C, 1> kChannelSpectrum = {PictureId::picChannelSpectrum};
inline constexpr std::array<CheckId, 1> kChannelSpectrumBox = {CheckId::chkChannelSpectrum};
inline constexpr std::array<C, 1> kSpectrumRange = {SliderId::vscSpectrumRange};
inline constexpr std::array<C, 11> kSpectrumOptions = {
    CheckId::chkLinear, CheckId::chkMemory, LabelId::lblFreq0, LabelId::lblFreq1,
    LabelId::lblFreq2,  LabelId::lblFreq3,  LabelId::lblFreq4, LabelId::lblFreq5,
    LabelId::lblFreq6,  LabelId::lblFreq7,  LabelId::lblFreq8};
inline constexpr std::array<C, 4> kEyesAndSpectra = {PictureId::picTxEye, PictureId::picTxSpectrum,
                                                     PictureId::picRxEye, PictureId::picRxSpectrum};
inline constexpr std::array<CheckId, 4> kEyesAndSpectraBoxes = {
    CheckId::chkTxEye, CheckId::chkTxSpectrum, CheckId::chkRxEye, CheckId::chkRxSpectrum};
inline constexpr std::array<C, 3> kReceiverSliders = {SliderId::vscTxEyeScale,
                                                      SliderId::vscThreshold, SliderId::hscSample};
inline constexpr std::array<C, 2> kReceivedStrips = {PictureId::picDemodData, PictureId::picRxData};
inline constexpr std::array<CheckId, 2> kReceivedStripBoxes = {CheckId::chkDemodData,
                                                               CheckId::chkRxData};
inline constexpr std::array<C, 2> kDecodingStrips = {PictureId::picDecodedData,
                                                     PictureId::picPostData};
inline constexpr std::array<CheckId, 2> kDecodingStripBoxes = {CheckId::chkDecodedData,
                                                               CheckId::chkPostData};
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

inline constexpr std::span<const CheckId> kNoBoxes{};

constexpr uint8_t _ = 0;
constexpr uint8_t Y = kShown;
constexpr uint8_t YOn = kShown | kOn;             // shown and on, its box hidden
constexpr uint8_t BOn = kShown | kBoxes | kOn;    // shown with its box, on
constexpr uint8_t BOff = kShown | kBoxes | kOff;  // shown with its box, off
constexpr uint8_t HOff = kOff;                    // hidden and off

}  // namespace scene

// The scene table. A control in two rows (vscTxEyeScale) is shown when either row shows it.
inline constexpr auto kSceneTable = [] {
    using namespace scene;
    using Cells = std::array<uint8_t, kSceneCount>;
    return std::array<SceneGroup, 27>{{
        // members, their check boxes, cells for scenes 0 to 6
        {kData, kDataBox, Cells{YOn, YOn, YOn, YOn, YOn, YOn, YOn}},
        {kLogo, kNoBoxes, Cells{Y, Y, Y, Y, _, _, _}},
        {kPreCoded, kPreCodedBoxes, Cells{_, YOn, _, YOn, BOn, BOn, BOn}},
        {kModulated, kModulatedBox, Cells{_, YOn, YOn, YOn, BOn, BOn, BOn}},
        {kTxCodes, kNoBoxes, Cells{_, Y, _, Y, Y, Y, Y}},
        {kTxFormat, kNoBoxes, Cells{_, Y, Y, Y, Y, Y, Y}},
        {kTxFilter, kNoBoxes, Cells{_, _, Y, Y, Y, Y, Y}},
        {kHighPass, kNoBoxes, Cells{_, _, Y, Y, _, _, Y}},
        {kInvert, kNoBoxes, Cells{_, _, Y, Y, Y, _, _}},
        {kChannelEye, kChannelEyeBox, Cells{_, _, BOff, BOff, _, _, BOn}},
        {kChannelSpectrum, kChannelSpectrumBox, Cells{_, _, BOff, BOff, _, _, BOn}},
        {kSpectrumRange, kNoBoxes, Cells{_, _, Y, Y, Y, Y, Y}},
        {kSpectrumOptions, kNoBoxes, Cells{_, _, Y, Y, _, _, _}},
        {kEyesAndSpectra, kEyesAndSpectraBoxes, Cells{_, _, _, _, BOn, BOn, BOn}},
        {kReceiverSliders, kNoBoxes, Cells{_, _, _, _, Y, Y, Y}},
        {kReceivedStrips, kReceivedStripBoxes, Cells{_, _, _, _, BOn, BOn, BOn}},
        {kDecodingStrips, kDecodingStripBoxes, Cells{_, _, _, _, BOn, BOn, HOff}},
        {kRxFilter, kNoBoxes, Cells{_, _, _, _, Y, Y, Y}},
        {kRxCodes, kNoBoxes, Cells{_, _, _, _, Y, Y, _}},
        {kStages, kNoBoxes, Cells{_, _, _, _, Y, Y, Y}},
        {kDemodLabels, kNoBoxes, Cells{_, _, _, _, Y, Y, _}},
        {kLowPassLabel,
         kNoBoxes,
         Cells{_, _, _, _, Y, _, Y},
         {"Low Pass", "Low Pass", "Low Pass", "Low Pass", "Perfect Channel", "Low Pass",
          "Low Pass"}},
        {kLowPass, kNoBoxes, Cells{_, _, _, _, _, _, Y}},
        {kPostCodingLabel,
         kNoBoxes,
         Cells{_, _, _, _, Y, Y, Y},
         {"Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding", "Post-Coding",
          "Rest"}},
        {kNoise, kNoBoxes, Cells{_, _, _, _, _, Y, Y}},
        {kMultipath, kNoBoxes, Cells{_, _, _, _, _, _, Y}},
        {kAsTransmitter, kNoBoxes, Cells{_, _, _, _, _, _, Y}},
    }};
}();

}  // namespace linelab
