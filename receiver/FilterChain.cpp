#include "receiver/FilterChain.h"

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"

namespace linelab {
namespace {

void FormChannelStage(RunState& s, const LinkConfig& c, Reporter& reporter) {
    const bool eye = c.shown[PanelId::ChannelEye];
    if (!eye && !c.shown[PanelId::ChannelSpectrum]) return;
    if (eye) {
        ComplexProductWithCopy(s.responses.dChannelResponse, s.dTxFilterSpectrum,
                               s.dChannelSpectrum, s.dChannelTimeData);
        FFT(s.dChannelTimeData, kPoints, true, false, &reporter);
    } else {
        ComplexProduct(s.responses.dChannelResponse, s.dTxFilterSpectrum, s.dChannelSpectrum);
    }
}

}  // namespace

bool FormTransmitAndChannelStages(RunState& s, const LinkConfig& c, bool noiseOn,
                                  Reporter& reporter) {
    const bool needed = c.shown[PanelId::TxEye] || c.shown[PanelId::TxSpectrum] ||
                        c.shown[PanelId::ChannelEye] || c.shown[PanelId::ChannelSpectrum] ||
                        noiseOn;
    if (!needed) return false;
    ComplexProductWithCopy(s.responses.dTxResponse, s.dTxImpulses, s.dTxFilterSpectrum,
                           s.dTxTimeData);
    if (c.shown[PanelId::TxEye]) FFT(s.dTxTimeData, kPoints, true, false, &reporter);
    FormChannelStage(s, c, reporter);
    return c.shown[PanelId::TxEye];
}

}  // namespace linelab
