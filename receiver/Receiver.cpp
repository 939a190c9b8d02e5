// The receive half of a tick, in the order of the filtering chain; each stage lives in its
// own file.

#include "receiver/Receiver.h"

#include "common/Colours.h"
#include "common/Tables.h"
#include "common/TextNumber.h"
#include "dsp/nrFFT.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Demodulator.h"
#include "receiver/FilterChain.h"
#include "receiver/Inversion.h"
#include "receiver/LineDecoder.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "receiver/PreDecoder.h"
#include "receiver/SpectrumAverage.h"

namespace linelab {
namespace {

inline constexpr const char* kUnknownSchemeMessage = "Unknown modulation scheme in demodulating";

// Noise, inverse transform, echo and inversion: the received waveform of the run.
void FormReceivedWaveform(RunState& s, const Settings& st, const TickPorts& ports,
                          double noiseLevel, bool txTimeReady) {
    if (noiseLevel > 0) AddNoise(s, noiseLevel, txTimeReady, &ports.reporter);
    FFT(s.dRxTimeData, kPoints, true, false, &ports.reporter);
    ApplyMultipath(s.dRxTimeData, st.cmbMultipathMag, st.cmbMultipathDelay);
    if (InversionApplies(st)) Invert(s.dRxTimeData);
}

void DrawReceivePanels(RunState& s, const Settings& st, const TickPorts& ports) {
    if (st.chkRxEye) {
        SetThresholds(s, ports.controls, ports.reporter);
        ports.panels.DrawEye(EyePanel::Rx, s.dRxTimeData, kSqrt2, s.dThresholds, true);
    }
    if (st.chkRxSpectrum) {
        UpdateSpectrumPanel(s, s.dRxSpectrum, s.dRxSpectrumAvg, s.lRxSpectra,
                            {st.memoryVisible, st.chkMemory});
        ports.panels.DrawSpectrum(SpectrumPanel::Rx, s.dRxSpectrumAvg,
                                  s.bMemoryStored ? &s.dMemorySpectrum : nullptr, kBlack);
    }
}

void DrawDemodStrip(const RunState& s, const TickPorts& ports, bool pam4) {
    const int16_t iBaud = pam4 ? CInt(s.iCodeBaud / 2.0) : s.iCodeBaud;
    const int16_t range = pam4 ? 3 : 1;
    ports.panels.DrawStrip(StripPanel::DemodData, s.iTxDutyCycle, iBaud, s.iDemodData, s.iModData,
                           kBlue, static_cast<int16_t>(-range), range);
}

// Decisions, their strip, levels back to code bits and the code-bits strip.
void Demodulate(RunState& s, const Settings& st, const TickPorts& ports) {
    const auto format = FindFormat(st.cmbMod[1]);
    DecideSymbols(format, s.dRxTimeData, st.hscSample, s.dThresholds, s.iDemodData);
    s.iCodeBaud = CodeBaud(st.cmbCode[1]);
    if (st.chkDemodData) DrawDemodStrip(s, ports, format == Format::Pam4);
    if (!LevelsToCodeBits(format, s.iDemodData, s.iDecodedData)) {
        ports.reporter.Report(kUnknownSchemeMessage, true);
    }
    s.iCodeBaud = CodeBaud(st.cmbCode[1]);
    if (st.chkDecodedData) {
        ports.panels.DrawStrip(StripPanel::DecodedData, 16, s.iCodeBaud, s.iDecodedData,
                               s.iCodedData, kBlue, 0, 1);
    }
}

// Line-code and pre-coding inverses with their strips.
void Decode(RunState& s, const Settings& st, const TickPorts& ports) {
    LineDecode(FindLineCode(st.cmbCode[1]), s.iDecodedData, s.iPostData);
    if (st.chkPostData) {
        ports.panels.DrawStrip(StripPanel::PostData, 16, 12, s.iPostData, s.iPreData, kBlue, 0, 1);
    }
    PreDecode(FindPreCoding(st.cmbPreCode[1]), s.iPostData, s.iScrambleSeq, s.iRxData);
    if (st.chkRxData) {
        ports.panels.DrawStrip(StripPanel::RxData, 16, 12, s.iRxData, s.iData, kBlue, 0, 1);
    }
}

}  // namespace

void ReceiveHalf(RunState& s, const Settings& st, const TickPorts& ports) {
    const double noiseLevel = NoiseLevel(st);
    const bool txTimeReady = RunTransmitAndChannelPanels(s, st, ports, noiseLevel > 0);
    FormReceivedWaveform(s, st, ports, noiseLevel, txTimeReady);
    DrawReceivePanels(s, st, ports);
    Demodulate(s, st, ports);
    Decode(s, st, ports);
    AccumulateBer(s, RunErrorRate(s.iRxData, s.iData, s.iCodeBaud));
    ports.controls.SetBerCaption(BerCaption(s.dBER));
}

}  // namespace linelab
