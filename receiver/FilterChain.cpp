#include "receiver/FilterChain.h"

#include "dsp/nrFFT.h"
#include "receiver/ComplexProduct.h"

namespace linelab {
namespace {

void DrawTransmitPanels(RunState& s, const Settings& st, Host& host) {
    if (st.chkTxEye) {
        s.dTxEyeScale = TxEyeScale(st.vscTxEyeScale);
        FFT(s.dTxTimeData, kPoints, true, false, &host);
        host.DrawEye(EyePanel::Tx, s.dTxTimeData, s.dTxEyeScale, s.dThresholds, false);
    }
    if (st.chkTxSpectrum) {
        host.DrawSpectrum(SpectrumPanel::Tx, s.dTxFilterSpectrum, s.dTxSpectrumAvg, s.lTxSpectra,
                          kBlack);
    }
}

void DrawChannelPanels(RunState& s, const Settings& st, Host& host) {
    if (!st.chkChannelEye && !st.chkChannelSpectrum) return;
    // The eye's copy is written in the same pass as the product: copying one buffer of the run
    // state into its neighbour afterwards is many times slower, their addresses being almost
    // a whole number of pages apart.
    if (st.chkChannelEye) {
        ComplexProductWithCopy(s.responses.dChannelResponse, s.dTxFilterSpectrum,
                               s.dChannelSpectrum, s.dChannelTimeData);
    } else {
        ComplexProduct(s.responses.dChannelResponse, s.dTxFilterSpectrum, s.dChannelSpectrum);
    }
    if (st.chkChannelEye) {
        s.dTxEyeScale = TxEyeScale(st.vscTxEyeScale);
        FFT(s.dChannelTimeData, kPoints, true, false, &host);
        host.DrawEye(EyePanel::Channel, s.dChannelTimeData, s.dTxEyeScale, s.dThresholds, false);
    }
    if (st.chkChannelSpectrum) {
        host.DrawSpectrum(SpectrumPanel::Channel, s.dChannelSpectrum, s.dChannelSpectrumAvg,
                          s.lChannelSpectra, kBlack);
    }
}

}  // namespace

double TxEyeScale(int vscTxEyeScale) {
    return (vscTxEyeScale + 50.0) / 100.0 * 3.0;
}

bool RunTransmitAndChannelPanels(RunState& s, const Settings& st, Host& host, bool noiseOn) {
    const bool needed =
        st.chkTxEye || st.chkTxSpectrum || st.chkChannelEye || st.chkChannelSpectrum || noiseOn;
    if (!needed) return false;
    ComplexProductWithCopy(s.responses.dTxResponse, s.dTxImpulses, s.dTxFilterSpectrum,
                           s.dTxTimeData);
    DrawTransmitPanels(s, st, host);
    DrawChannelPanels(s, st, host);
    return st.chkTxEye;
}

}  // namespace linelab
