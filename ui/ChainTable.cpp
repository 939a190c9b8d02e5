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

}  // namespace

std::span<const ChainCell> ChainCells() {
    return kCells;
}

std::span<const std::string_view> ChainTopBar() {
    return kTopBar;
}

}  // namespace linelab
