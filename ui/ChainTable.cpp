#include "ui/ChainTable.h"

#include <array>

#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

using Names = std::string_view;

constexpr Names kPreCoding[] = {"lblPreCoding", "cmbPreCode(0)"};
constexpr Names kCoding[] = {"lblCoding", "cmbCode(0)"};
constexpr Names kModulation[] = {"lblModulation", "cmbMod(0)"};
constexpr Names kModulationPC[] = {"cmbTxModPC(0)", "lblModulationPC"};
constexpr Names kTxFilter[] = {"lblTxFilter", "cmbTxFilter(0)"};
// The bandwidth and the excess bandwidth share one place: only one is ever shown.
constexpr Names kTxBandwidth[] = {"cmbTxBW(0)", "cmbTxEB(0)", "lblPCkHz(0)"};
constexpr ChainRow kTransmitter[] = {{kPreCoding},    {kCoding},   {kModulation},
                                     {kModulationPC}, {kTxFilter}, {kTxBandwidth}};

constexpr Names kHighPass[] = {"lblHighPass", "cmbHighPass", "lblHPkHz"};
constexpr Names kLowPass[] = {"lblLowPass", "cmbLowPass", "lblLPkHz"};
constexpr Names kNoise[] = {"lblNoise", "cmbNoise", "lblNoiseW"};
constexpr Names kFixedNoise[] = {"chkFixedNoise"};
constexpr Names kMultipath[] = {"lblMultipath", "cmbMultipathDelay", "lblMultipathDelay"};
constexpr Names kMultipathMag[] = {"cmbMultipathMag", "lblMultipathPC"};
constexpr Names kInvert[] = {"chkInvert"};
constexpr ChainRow kChannel[] = {{kHighPass},  {kLowPass},      {kNoise}, {kFixedNoise},
                                 {kMultipath}, {kMultipathMag}, {kInvert}};

constexpr Names kRxFilter[] = {"lblRxFilter", "cmbTxFilter(1)"};
constexpr Names kRxBandwidth[] = {"cmbTxBW(1)", "cmbTxEB(1)", "lblPCkHz(1)"};
constexpr Names kDiscriminator[] = {"lblDiscriminator"};
constexpr ChainRow kReceiver[] = {{kRxFilter}, {kRxBandwidth}, {kDiscriminator}};

constexpr Names kDemod[] = {"lblDemod", "cmbMod(1)"};
constexpr Names kDemodPC[] = {"cmbTxModPC(1)", "lblDemodPC"};
constexpr Names kDecode[] = {"lblDecode", "cmbCode(1)"};
// In the last scene the receiver's copies are hidden and "As Transmitter" stands there.
constexpr Names kPostCoding[] = {"lblPostCoding", "cmbPreCode(1)", "lblAsTransmitter"};
constexpr ChainRow kOutput[] = {{kDemod}, {kDemodPC}, {kDecode}, {kPostCoding}};

constexpr Names kReadout[] = {"lblOutput", "lblBER"};
constexpr ChainRow kReadoutRows[] = {{kReadout}};

constexpr Names kStripSliders[] = {"hscDataScroll", "hscDataZoom"};
constexpr ChainRow kStripSliderRows[] = {{kStripSliders}};

constexpr std::array<std::span<const ChainRow>, 3> kStageLists = {kTransmitter, kChannel,
                                                                  kReceiver};

// The names a row of the panel table lists, without the empty places.
std::vector<Names> Listed(const PanelNames& names) {
    std::vector<Names> out;
    for (const Names name : names)
        if (!name.empty()) out.push_back(name);
    return out;
}

constexpr Names kTopBar[] = {"Label1", "cmbScene", "cmbData", "cmdPause"};

constexpr Names kFrequencyLabels[] = {"lblFreq(0)", "lblFreq(1)", "lblFreq(2)",
                                      "lblFreq(3)", "lblFreq(4)", "lblFreq(5)",
                                      "lblFreq(6)", "lblFreq(7)", "lblFreq(8)"};
constexpr ChainAxis kAxes[] = {{"picChannelSpectrum", kFrequencyLabels}};

// The compact scenes show the transmitter with the channel's high-pass filter and
// inversion, and the channel's panels; the transmit eye's scale moves beside the channel
// eye (the transmit eye itself is hidden there) and the spectrum range beside the channel
// spectrum.
constexpr Names kCompactStrips[] = {"chkData", "hscDataScroll"};
constexpr Names kCompactLists[] = {"lblPreCoding", "lblCoding",  "lblModulation", "cmbTxModPC(0)",
                                   "lblTxFilter",  "cmbTxBW(0)", "lblHighPass",   "chkInvert"};
constexpr Names kCompactEye[] = {"chkChannelEye"};
constexpr Names kCompactEyeBeside[] = {"vscTxEyeScale"};
constexpr Names kCompactSpectrum[] = {"chkChannelSpectrum", "chkLinear"};
constexpr Names kCompactSpectrumBeside[] = {"vscSpectrumRange"};
constexpr CompactCell kCompact[] = {{1, 0, "strips", kCompactStrips, {}},
                                    {1, 1, "lists", kCompactLists, {}},
                                    {2, 0, "eye", kCompactEye, kCompactEyeBeside},
                                    {2, 1, "spectrum", kCompactSpectrum, kCompactSpectrumBeside}};

}  // namespace

// The panels' rows come from the panel table: an eye or a spectrum is a row of its check box,
// its picture and the controls beside it, then the row under it; the strips of a stage are
// one row of check box and picture pairs, the transmitter's the sent group, the receiver's the
// received. Every span points into the deques, which never move what they hold.
Chain::Chain(PanelTableView panels) {
    for (std::size_t stage = 0; stage < kStageLists.size(); ++stage) {
        const std::string_view name = StageName(static_cast<int>(stage));
        Add(name, "lists", kStageLists[stage]);
        Add(name, "eye", PanelRows(panels, PanelKind::Eye, PanelStage(stage)));
        Add(name, "spectrum", PanelRows(panels, PanelKind::Spectrum, PanelStage(stage)));
    }
    Add("Output", "strips", StripRows(panels, PanelStage::Transmitter, kStripSliderRows));
    Add("Output", "lists", kOutput);
    Add("Output", "strips", StripRows(panels, PanelStage::Receiver, {}));
    Add("Output", "readout", kReadoutRows);
}

void Chain::Add(std::string_view stage, std::string_view role, std::span<const ChainRow> rows) {
    if (!rows.empty()) cells_.push_back({stage, role, rows});
}

std::span<const ChainRow> Chain::PanelRows(PanelTableView panels, PanelKind kind,
                                           PanelStage stage) {
    std::vector<ChainRow>& rows = rows_.emplace_back();
    for (const PanelDescriptor& panel : panels) {
        if (panel.kind != kind || panel.stage != stage) continue;
        std::vector<Names>& names = names_.emplace_back(Listed(panel.beside));
        names.insert(names.begin(), {panel.checkName, panel.pictureName});
        rows.push_back({names});
        if (std::vector<Names> under = Listed(panel.under); !under.empty())
            rows.push_back({names_.emplace_back(std::move(under))});
    }
    return rows;
}

std::span<const ChainRow> Chain::StripRows(PanelTableView panels, PanelStage stage,
                                           std::span<const ChainRow> after) {
    std::vector<Names>& names = names_.emplace_back();
    for (const PanelDescriptor& panel : panels) {
        if (panel.kind == PanelKind::Strip && panel.stage == stage)
            names.insert(names.end(), {panel.checkName, panel.pictureName});
    }
    std::vector<ChainRow>& rows = rows_.emplace_back();
    if (!names.empty()) rows.push_back({names});
    rows.insert(rows.end(), after.begin(), after.end());
    return rows;
}

const ChainRow* Chain::RowStartingWith(std::string_view first) const {
    const ChainCell* cell = CellHolding(first);
    if (cell == nullptr) return nullptr;
    for (const ChainRow& row : cell->rows)
        if (!row.controls.empty() && row.controls.front() == first) return &row;
    return nullptr;
}

const ChainCell* Chain::CellHolding(std::string_view first) const {
    for (const ChainCell& cell : cells_)
        for (const ChainRow& row : cell.rows)
            if (!row.controls.empty() && row.controls.front() == first) return &cell;
    return nullptr;
}

const Chain& TheChain() {
    static const Chain chain;
    return chain;
}

std::span<const ChainCell> ChainCells() {
    return TheChain().Cells();
}

std::span<const std::string_view> ChainTopBar() {
    return kTopBar;
}

const ChainRow* ChainRowStartingWith(std::string_view first) {
    return TheChain().RowStartingWith(first);
}

std::span<const ChainAxis> ChainAxes() {
    return kAxes;
}

std::span<const CompactCell> ChainCompactCells() {
    return kCompact;
}

}  // namespace linelab
