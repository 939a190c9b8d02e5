#include "receiver/FilterChain.h"

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "receiver/SpectrumAverage.h"

namespace linelab {
namespace {

MemoryBox MemoryBoxOf(const LinkConfig& c) {
    return {c.memory, c.memory};
}

void FormTransmitStage(RunState& s, const LinkConfig& c, Reporter& reporter) {
    if (c.shown[PanelId::TxEye]) {
        s.dTxEyeScale = TxEyeScale(c.txEyeScale);
        FFT(s.dTxTimeData, kPoints, true, false, &reporter);
    }
    if (c.shown[PanelId::TxSpectrum]) {
        UpdateSpectrumPanel(s, s.dTxFilterSpectrum, s.dTxSpectrumAvg, s.lTxSpectra, MemoryBoxOf(c));
    }
}

void FormChannelStage(RunState& s, const LinkConfig& c, Reporter& reporter) {
    const bool eye = c.shown[PanelId::ChannelEye];
    const bool spectrum = c.shown[PanelId::ChannelSpectrum];
    if (!eye && !spectrum) return;
    if (eye) {
        ComplexProductWithCopy(s.responses.dChannelResponse, s.dTxFilterSpectrum,
                               s.dChannelSpectrum, s.dChannelTimeData);
        s.dTxEyeScale = TxEyeScale(c.txEyeScale);
        FFT(s.dChannelTimeData, kPoints, true, false, &reporter);
    } else {
        ComplexProduct(s.responses.dChannelResponse, s.dTxFilterSpectrum, s.dChannelSpectrum);
    }
    if (spectrum) {
        UpdateSpectrumPanel(s, s.dChannelSpectrum, s.dChannelSpectrumAvg, s.lChannelSpectra,
                            MemoryBoxOf(c));
    }
}

}  // namespace

double TxEyeScale(int position) {
    return (position + 50.0) / 100.0 * 3.0;
}

bool FormTransmitAndChannelStages(RunState& s, const LinkConfig& c, bool noiseOn,
                                  Reporter& reporter) {
    const bool needed = c.shown[PanelId::TxEye] || c.shown[PanelId::TxSpectrum] ||
                        c.shown[PanelId::ChannelEye] || c.shown[PanelId::ChannelSpectrum] ||
                        noiseOn;
    if (!needed) return false;
    ComplexProductWithCopy(s.responses.dTxResponse, s.dTxImpulses, s.dTxFilterSpectrum,
                           s.dTxTimeData);
    FormTransmitStage(s, c, reporter);
    FormChannelStage(s, c, reporter);
    return c.shown[PanelId::TxEye];
}

}  // namespace linelab
