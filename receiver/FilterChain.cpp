#include "receiver/FilterChain.h"

#include "common/Colours.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "receiver/SpectrumAverage.h"

namespace linelab {
namespace {

MemoryBox MemoryBoxOf(const Settings& st) {
    return {st.memoryVisible, st.chkMemory};
}

const SpectrumAverage* StoredMemory(const RunState& s) {
    return s.bMemoryStored ? &s.dMemorySpectrum : nullptr;
}

void DrawTransmitPanels(RunState& s, const Settings& st, const TickPorts& ports) {
    if (st.chkTxEye) {
        s.dTxEyeScale = TxEyeScale(st.vscTxEyeScale);
        FFT(s.dTxTimeData, kPoints, true, false, &ports.reporter);
        ports.panels.DrawEye(EyePanel::Tx, s.dTxTimeData, s.dTxEyeScale, s.dThresholds, false);
    }
    if (st.chkTxSpectrum) {
        UpdateSpectrumPanel(s, s.dTxFilterSpectrum, s.dTxSpectrumAvg, s.lTxSpectra,
                            MemoryBoxOf(st));
        ports.panels.DrawSpectrum(SpectrumPanel::Tx, s.dTxSpectrumAvg, StoredMemory(s), kBlack);
    }
}

void DrawChannelPanels(RunState& s, const Settings& st, const TickPorts& ports) {
    if (!st.chkChannelEye && !st.chkChannelSpectrum) return;
    if (st.chkChannelEye) {
        ComplexProductWithCopy(s.responses.dChannelResponse, s.dTxFilterSpectrum,
                               s.dChannelSpectrum, s.dChannelTimeData);
    } else {
        ComplexProduct(s.responses.dChannelResponse, s.dTxFilterSpectrum, s.dChannelSpectrum);
    }
    if (st.chkChannelEye) {
        s.dTxEyeScale = TxEyeScale(st.vscTxEyeScale);
        FFT(s.dChannelTimeData, kPoints, true, false, &ports.reporter);
        ports.panels.DrawEye(EyePanel::Channel, s.dChannelTimeData, s.dTxEyeScale, s.dThresholds,
                             false);
    }
    if (st.chkChannelSpectrum) {
        UpdateSpectrumPanel(s, s.dChannelSpectrum, s.dChannelSpectrumAvg, s.lChannelSpectra,
                            MemoryBoxOf(st));
        ports.panels.DrawSpectrum(SpectrumPanel::Channel, s.dChannelSpectrumAvg, StoredMemory(s),
                                  kBlack);
    }
}

}  // namespace

double TxEyeScale(int vscTxEyeScale) {
    return (vscTxEyeScale + 50.0) / 100.0 * 3.0;
}

bool RunTransmitAndChannelPanels(RunState& s, const Settings& st, const TickPorts& ports,
                                 bool noiseOn) {
    const bool needed =
        st.chkTxEye || st.chkTxSpectrum || st.chkChannelEye || st.chkChannelSpectrum || noiseOn;
    if (!needed) return false;
    ComplexProductWithCopy(s.responses.dTxResponse, s.dTxImpulses, s.dTxFilterSpectrum,
                           s.dTxTimeData);
    DrawTransmitPanels(s, st, ports);
    DrawChannelPanels(s, st, ports);
    return st.chkTxEye;
}

}  // namespace linelab
