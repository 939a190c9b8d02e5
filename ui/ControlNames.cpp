#include <algorithm>
#include <array>

#include "ui/Controls.h"

namespace linelab {
namespace {

constexpr std::array<std::string_view, CountOf<ListId>()> kListNames = {
    "cmbData",        "cmbPreCode(0)", "cmbPreCode(1)", "cmbCode(0)",        "cmbCode(1)",
    "cmbMod(0)",      "cmbMod(1)",     "cmbTxModPC(0)", "cmbTxModPC(1)",     "cmbTxFilter(0)",
    "cmbTxFilter(1)", "cmbTxBW(0)",    "cmbTxBW(1)",    "cmbTxEB(0)",        "cmbTxEB(1)",
    "cmbHighPass",    "cmbLowPass",    "cmbNoise",      "cmbMultipathDelay", "cmbMultipathMag",
    "cmbScene"};

#define LINELAB_CHECK_NAME(id, ...) "chk" #id,
constexpr std::array<std::string_view, CountOf<CheckId>()> kCheckNames = {
    LINELAB_PANELS(LINELAB_CHECK_NAME) "chkInvert", "chkLinear", "chkMemory", "chkFixedNoise"};
#undef LINELAB_CHECK_NAME

constexpr std::array<std::string_view, CountOf<SliderId>()> kSliderNames = {
    "hscDataZoom",   "hscDataScroll", "vscSpectrumRange",
    "vscTxEyeScale", "vscThreshold",  "hscSample"};

constexpr std::array<std::string_view, CountOf<LabelId>()> kLabelNames = {
    "Label1",           "lblPreCoding",     "lblCoding",    "lblModulation",
    "lblModulationPC",  "lblTxFilter",      "lblPCkHz(0)",  "lblPCkHz(1)",
    "lblHighPass",      "lblHPkHz",         "lblLowPass",   "lblLPkHz",
    "lblNoise",         "lblNoiseW",        "lblMultipath", "lblMultipathDelay",
    "lblMultipathPC",   "lblRxFilter",      "lblDemod",     "lblDemodPC",
    "lblDecode",        "lblPostCoding",    "lblOutput",    "lblBER",
    "lblAsTransmitter", "lblDiscriminator", "lblFreq(0)",   "lblFreq(1)",
    "lblFreq(2)",       "lblFreq(3)",       "lblFreq(4)",   "lblFreq(5)",
    "lblFreq(6)",       "lblFreq(7)",       "lblFreq(8)"};

#define LINELAB_PICTURE_NAME(id, ...) "pic" #id,
constexpr std::array<std::string_view, CountOf<PictureId>()> kPictureNames = {
    LINELAB_PANELS(LINELAB_PICTURE_NAME)};
#undef LINELAB_PICTURE_NAME

constexpr std::array<std::string_view, CountOf<DecorationId>()> kDecorationNames = {
    "lneHint(0)",  "lneHint(1)",  "lneHint(2)",  "lneHint(3)",  "lneHint(4)",  "lneHint(5)",
    "lneHint(6)",  "lneHint(7)",  "lneHint(8)",  "lneHint(9)",  "lneHint(10)", "lneHint(11)",
    "lneHint(12)", "lneHint(13)", "lneHint(14)", "lneHint(15)", "lneHint(16)", "lneHint(17)",
    "lneHint(18)", "lneHint(19)", "shpTx",       "shpChannel",  "shpRx",       "shpOutput",
    "Shape1",      "Line1",       "imgLogo"};

constexpr std::string_view kPauseName = "cmdPause";
constexpr std::string_view kTimerName = "Timer1";

std::span<const std::string_view> NamesOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::List:
            return kListNames;
        case ControlKind::CheckBox:
            return kCheckNames;
        case ControlKind::Slider:
            return kSliderNames;
        case ControlKind::Label:
            return kLabelNames;
        case ControlKind::Button:
            return {&kPauseName, 1};
        case ControlKind::Picture:
            return kPictureNames;
        case ControlKind::Decoration:
            return kDecorationNames;
        case ControlKind::Timer:
            return {&kTimerName, 1};
    }
    return {};
}

constexpr std::array kKindOrder = {
    ControlKind::List,   ControlKind::CheckBox, ControlKind::Slider,     ControlKind::Label,
    ControlKind::Button, ControlKind::Picture,  ControlKind::Decoration, ControlKind::Timer};

struct Directory {
    std::vector<ControlRef> refs;
    std::vector<std::string_view> names;

    Directory() {
        for (ControlKind kind : kKindOrder) {
            const auto names_of_kind = NamesOf(kind);
            for (std::size_t i = 0; i < names_of_kind.size(); ++i) {
                refs.emplace_back(kind, static_cast<int>(i));
                names.push_back(names_of_kind[i]);
            }
        }
    }
};

const Directory& TheDirectory() {
    static const Directory directory;
    return directory;
}

}  // namespace

std::string_view NameOf(ControlRef control) {
    const auto names = NamesOf(control.kind);
    if (control.index < 0 || static_cast<std::size_t>(control.index) >= names.size()) return {};
    return names[static_cast<std::size_t>(control.index)];
}

std::optional<ControlRef> FindControl(std::string_view name) {
    const Directory& d = TheDirectory();
    const auto it = std::find(d.names.begin(), d.names.end(), name);
    if (it == d.names.end()) return std::nullopt;
    return d.refs[static_cast<std::size_t>(it - d.names.begin())];
}

std::span<const ControlRef> AllControls() {
    return TheDirectory().refs;
}

std::span<const std::string_view> ControlNames() {
    return TheDirectory().names;
}

int ListControl::ListIndex() const {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace linelab
