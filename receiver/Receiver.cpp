// The receive half of a tick, in the order of the filtering chain; each stage lives in its
// own file.

#include "receiver/Receiver.h"

#include "common/Tables.h"
#include "dsp/nrFFT.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Demodulator.h"
#include "receiver/Inversion.h"
#include "receiver/LineDecoder.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "receiver/PreDecoder.h"

namespace linelab {
namespace {

// Noise, inverse transform, echo and inversion: the received waveform of the run.
// A fixed density reads nothing of the run, so only noise that follows the run's own energy
// forms the transmit waveform to measure it.
void NoiseEchoAndInversion(RunState& s, const LinkConfig& c, Reporter& reporter) {
    if (c.noiseLevel > 0) {
        const double energy =
            NoiseMeasuresRun(c) ? RunEnergyPerSlot(s, &reporter) : c.noiseReference;
        AddNoise(s, c.noiseLevel, energy, &reporter);
    }
    FFT(s.dRxTimeData, kPoints, true, false, &reporter);
    ApplyMultipath(s.dRxTimeData, c.echo);
    if (c.invert) Invert(s.dRxTimeData);
}

// Decisions and levels back to code bits.
void Demodulate(RunState& s, const LinkConfig& c, Reporter& reporter) {
    DecideSymbols(c.format[1], s.dRxTimeData, c.samplingOffset, DecisionThresholds(s, c),
                  s.iDemodData);
    s.iCodeBaud = CodeBaud(c.code[1]);
    if (!LevelsToCodeBits(c.format[1], s.iDemodData, s.iDecodedData)) {
        reporter.Report(Fault::UnknownDemodulation);
    }
}

// Line-code and pre-coding inverses.
void Decode(RunState& s, const LinkConfig& c) {
    LineDecode(c.code[1], s.iDecodedData, s.iPostData);
    PreDecode(c.preCode[1], s.iPostData, s.iScrambleSeq, s.iRxData);
}

}  // namespace

const Thresholds& DecisionThresholds(const RunState& s, const LinkConfig& c) {
    if (c.thresholdChoice == ThresholdChoice::Midway && c.midway) return *c.midway;
    return s.dThresholds;
}

void FormReceivedWaveform(RunState& s, const LinkConfig& c, Reporter& reporter) {
    NoiseEchoAndInversion(s, c, reporter);
}

ReceivedRun DecideAndDecode(RunState& s, const LinkConfig& c, int thresholdSlider,
                            Reporter& reporter) {
    ReceivedRun run;
    // The thresholds follow the slider in every run, whatever is shown: the decisions must
    // not depend on whether the receive eye is drawn.
    run.thresholdSlider = SetThresholds(s, thresholdSlider, reporter);
    Demodulate(s, c, reporter);
    Decode(s, c);
    run.errors = CountRunErrors(s.iRxData, s.iData, s.iCodeBaud);
    return run;
}

ReceivedRun ReceiveHalf(RunState& s, const LinkConfig& c, int thresholdSlider, Reporter& reporter) {
    FormReceivedWaveform(s, c, reporter);
    return DecideAndDecode(s, c, thresholdSlider, reporter);
}

}  // namespace linelab
