#include "ui/ChainTable.h"

#include <array>

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

constexpr Names kTxEye[] = {"chkTxEye", "picTxEye", "vscTxEyeScale"};
constexpr Names kChannelEye[] = {"chkChannelEye", "picChannelEye"};
constexpr Names kRxEye[] = {"chkRxEye", "picRxEye", "vscThreshold", "hscSample"};
constexpr Names kTxSpectrum[] = {"chkTxSpectrum", "picTxSpectrum"};
constexpr Names kChannelSpectrum[] = {"chkChannelSpectrum", "picChannelSpectrum"};
constexpr Names kSpectrumSwitches[] = {"chkLinear", "chkMemory"};
constexpr Names kRxSpectrum[] = {"chkRxSpectrum", "picRxSpectrum", "vscSpectrumRange"};
constexpr ChainRow kTxEyeRows[] = {{kTxEye}};
constexpr ChainRow kChannelEyeRows[] = {{kChannelEye}};
constexpr ChainRow kRxEyeRows[] = {{kRxEye}};
constexpr ChainRow kTxSpectrumRows[] = {{kTxSpectrum}};
constexpr ChainRow kChannelSpectrumRows[] = {{kChannelSpectrum}, {kSpectrumSwitches}};
constexpr ChainRow kRxSpectrumRows[] = {{kRxSpectrum}};

constexpr Names kSent[] = {"chkData",      "picData",      "chkPreData", "picPreData",
                           "chkCodedData", "picCodedData", "chkModData", "picModData"};
constexpr Names kStripSliders[] = {"hscDataScroll", "hscDataZoom"};
constexpr ChainRow kSentRows[] = {{kSent}, {kStripSliders}};
constexpr Names kReceived[] = {"chkDemodData", "picDemodData", "chkDecodedData", "picDecodedData",
                               "chkPostData",  "picPostData",  "chkRxData",      "picRxData"};
constexpr ChainRow kReceivedRows[] = {{kReceived}};

constexpr ChainCell kCells[] = {{"Transmitter", "lists", kTransmitter},
                                {"Transmitter", "eye", kTxEyeRows},
                                {"Transmitter", "spectrum", kTxSpectrumRows},
                                {"Channel", "lists", kChannel},
                                {"Channel", "eye", kChannelEyeRows},
                                {"Channel", "spectrum", kChannelSpectrumRows},
                                {"Receiver", "lists", kReceiver},
                                {"Receiver", "eye", kRxEyeRows},
                                {"Receiver", "spectrum", kRxSpectrumRows},
                                {"Output", "strips", kSentRows},
                                {"Output", "lists", kOutput},
                                {"Output", "strips", kReceivedRows},
                                {"Output", "readout", kReadoutRows}};

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

std::span<const ChainCell> ChainCells() {
    return kCells;
}

std::span<const std::string_view> ChainTopBar() {
    return kTopBar;
}

const ChainRow* ChainRowStartingWith(std::string_view first) {
    for (const ChainCell& cell : kCells)
        for (const ChainRow& row : cell.rows)
            if (!row.controls.empty() && row.controls.front() == first) return &row;
    return nullptr;
}

std::span<const ChainAxis> ChainAxes() {
    return kAxes;
}

std::span<const CompactCell> ChainCompactCells() {
    return kCompact;
}

}  // namespace linelab
