// The transmit and channel stages the views form after a tick: what each panel asks for, the
// products themselves, the run's own transmit waveform taken as it is, and a stage not asked
// for left as it was.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/StageProducts.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"

namespace linelab {
namespace {

struct RequestCase {
    std::vector<PanelId> fed;
    StageForm tx, channel;
};

class PanelRequests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(PanelRequests, AskOnlyWhatTheFedPanelsRead) {
    const RequestCase& c = GetParam();
    ShownPanels fed;
    for (PanelId p : c.fed)
        fed.Set(p, true);
    const StageRequest r = PanelRequest(fed);
    EXPECT_EQ(r.tx, c.tx);
    EXPECT_EQ(r.channel, c.channel);
}

constexpr StageForm kNone = StageForm::None;
constexpr StageForm kSpectrum = StageForm::Spectrum;
constexpr StageForm kWaveform = StageForm::Waveform;

INSTANTIATE_TEST_SUITE_P(
    Views, PanelRequests,
    ::testing::Values(
        RequestCase{{PanelId::RxEye, PanelId::RxSpectrum, PanelId::Data}, kNone, kNone},
        RequestCase{{PanelId::TxSpectrum}, kSpectrum, kNone},
        RequestCase{{PanelId::TxEye, PanelId::TxSpectrum}, kWaveform, kNone},
        RequestCase{{PanelId::ChannelSpectrum}, kNone, kSpectrum},
        RequestCase{{PanelId::ChannelEye, PanelId::TxSpectrum}, kSpectrum, kWaveform}));

// A run with a random impulse spectrum and random transmit and channel responses, and a
// transmit waveform of its own that no transform gives (7 everywhere).
struct StagesRun {
    std::unique_ptr<RunState> state = std::make_unique<RunState>();
    Frame frame;
    StagesRun() {
        Uniform values(17);
        for (int i = 0; i < kSignalFloats; ++i) {
            state->dTxImpulses[i] = values.Next() - 0.5;
            state->responses.dTxResponse[i] = values.Next();
            state->responses.dChannelResponse[i] = values.Next();
        }
        state->dTxWaveform.fill(7);
        frame.run = state.get();
    }
    Signal TxSpectrum() const {
        Signal tx{};
        ComplexProduct(state->responses.dTxResponse, state->dTxImpulses, tx);
        return tx;
    }
    Signal ChannelSpectrum() const {
        Signal channel{};
        ComplexProduct(state->responses.dChannelResponse, TxSpectrum(), channel);
        return channel;
    }
};

Signal Transformed(Signal spectrum) {
    FFT(spectrum, kPoints, true, false);
    return spectrum;
}

TEST(StageProducts, WaveformsAreTheStagesTransformed) {
    const StagesRun run;
    StageProducts stages;
    stages.Form(run.frame, {kWaveform, kWaveform});
    const StageSignals& s = stages.Signals();
    EXPECT_EQ(s.dTxFilterSpectrum, run.TxSpectrum());
    EXPECT_EQ(s.dTxTimeData, Transformed(run.TxSpectrum()));
    EXPECT_EQ(s.dChannelSpectrum, run.ChannelSpectrum());
    EXPECT_EQ(s.dChannelTimeData, Transformed(run.ChannelSpectrum()));
}

TEST(StageProducts, TheRunsOwnTransmitWaveformIsTakenNotTransformedAgain) {
    StagesRun run;
    run.frame.txWaveformFormed = true;
    StageProducts stages;
    stages.Form(run.frame, {kSpectrum, kNone});
    EXPECT_EQ(stages.Signals().dTxFilterSpectrum, run.TxSpectrum());
    EXPECT_EQ(stages.Signals().dTxTimeData, run.state->dTxWaveform);
}

TEST(StageProducts, AStageNotAskedForKeepsWhatItHeld) {
    StagesRun run;
    StageProducts stages;
    EXPECT_EQ(stages.Signals().dChannelSpectrum, Signal{});
    stages.Form(run.frame, {kNone, kWaveform});
    const StageProducts kept = stages;  // a deep copy
    const Signal channel = run.ChannelSpectrum();
    run.state->responses.dChannelResponse.fill(0);
    stages.Form(run.frame, {kSpectrum, kNone});
    stages.Form(Frame{}, {kWaveform, kWaveform});  // no run: nothing formed
    EXPECT_EQ(stages.Signals().dChannelSpectrum, channel);
    EXPECT_EQ(stages.Signals().dChannelTimeData, kept.Signals().dChannelTimeData);
    EXPECT_EQ(stages.Signals().dTxTimeData, run.TxSpectrum());  // the copy, still a spectrum
    EXPECT_NE(&stages.Signals(), &kept.Signals());
}

}  // namespace
}  // namespace linelab
