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
// transmit stage of its own that no product gives (7 and 9 everywhere).
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
        state->dTxSpectrum.fill(7);
        state->dTxWaveform.fill(9);
        frame.run = state.get();
    }
    Signal Through(const Signal& h, const Signal& x) const {
        Signal out{};
        ComplexProduct(h, x, out);
        return out;
    }
    Signal TxSpectrum() const { return Through(state->responses.dTxResponse, state->dTxImpulses); }
    Signal ChannelSpectrum() const {
        return Through(state->responses.dChannelResponse, TxSpectrum());
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
    EXPECT_EQ(stages.TxFilterSpectrum(), run.TxSpectrum());
    EXPECT_EQ(stages.TxTimeData(), Transformed(run.TxSpectrum()));
    EXPECT_EQ(stages.ChannelSpectrum(), run.ChannelSpectrum());
    EXPECT_EQ(stages.ChannelTimeData(), Transformed(run.ChannelSpectrum()));
}

TEST(StageProducts, TheRunsOwnTransmitStageIsReadNotFormedAgain) {
    StagesRun run;
    run.frame.txWaveformFormed = true;
    StageProducts stages;
    stages.Form(run.frame, {kWaveform, kSpectrum});
    EXPECT_EQ(stages.TxFilterSpectrum(), run.state->dTxSpectrum);
    EXPECT_EQ(stages.TxTimeData(), run.state->dTxWaveform);
    EXPECT_EQ(stages.ChannelSpectrum(),
              run.Through(run.state->responses.dChannelResponse, run.state->dTxSpectrum));
    run.frame.txWaveformFormed = false;  // a later run that did not: formed here again
    stages.Form(run.frame, {kWaveform, kNone});
    EXPECT_EQ(stages.TxTimeData(), Transformed(run.TxSpectrum()));
}

TEST(StageProducts, AStageNotAskedForKeepsWhatItHeld) {
    StagesRun run;
    StageProducts stages;
    EXPECT_EQ(stages.ChannelSpectrum(), Signal{});
    stages.Form(run.frame, {kNone, kWaveform});
    const StageProducts kept = stages;  // a deep copy
    const Signal channel = run.ChannelSpectrum();
    run.state->responses.dChannelResponse.fill(0);
    stages.Form(run.frame, {kSpectrum, kNone});
    stages.Form(Frame{}, {kWaveform, kWaveform});  // no run: nothing formed
    EXPECT_EQ(stages.ChannelSpectrum(), channel);
    EXPECT_EQ(stages.ChannelTimeData(), kept.ChannelTimeData());
    EXPECT_EQ(stages.TxTimeData(), run.TxSpectrum());  // the copy, still a spectrum
    EXPECT_NE(&stages.ChannelTimeData(), &kept.ChannelTimeData());
}

}  // namespace
}  // namespace linelab
