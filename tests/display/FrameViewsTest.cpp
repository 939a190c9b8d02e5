// The views' state fed by frames: each spectrum panel averages only the frames that fed it,
// the memory trace takes the first fed average as it stood, and the eye scale follows its
// slider only while a transmit or channel eye is fed.

#include <gtest/gtest.h>

#include <memory>

#include "display/FrameViews.h"

namespace linelab {
namespace {

// A run whose three spectra differ: every element of the transmit one is 1 (impulses of
// 1 through a transmit filter of 1), the channel one 2 (a channel of gain 2), the receive one
// 3 (powers 2, 8 and 18 per point at the rate 1.0).
struct SpectraRun {
    std::unique_ptr<RunState> state = std::make_unique<RunState>();
    SpectraRun() {
        state->dBaudRate = 1.0;
        state->dTxImpulses.fill(1);
        SetChannelGain(2);
        for (int i = 0; i < kSignalFloats; i += 2)
            state->responses.dTxResponse[i] = 1;
        state->dRxSpectrum.fill(3);
    }
    void SetChannelGain(double gain) {
        for (int i = 0; i < kSignalFloats; i += 2)
            state->responses.dChannelResponse[i] = gain;
    }
    Frame Fed(std::initializer_list<PanelId> panels) const {
        Frame f;
        f.run = state.get();
        for (PanelId p : panels)
            f.fed.Set(p, true);
        return f;
    }
};

struct SpectrumCase {
    PanelId panel;
    SpectrumPanel spectrum;
    double power;
};

class FedSpectrum : public ::testing::TestWithParam<SpectrumCase> {};

TEST_P(FedSpectrum, OnlyTheFedPanelAveragesAndCounts) {
    const auto [panel, spectrum, power] = GetParam();
    const SpectraRun run;
    FrameViews views;
    for (int i = 0; i < 3; ++i)
        views.TakeFrame(run.Fed({panel, PanelId::TxEye, PanelId::RxEye}), {});
    for (SpectrumPanel other : {SpectrumPanel::Tx, SpectrumPanel::Channel, SpectrumPanel::Rx}) {
        const double expected = other == spectrum ? power : 0.0;
        EXPECT_EQ(views.Average(other)[0], expected);
        EXPECT_EQ(views.Average(other)[511], expected);
    }
    EXPECT_EQ(views.lTxSpectra + views.lChannelSpectra + views.lRxSpectra, 3);
    views.RestartSpectrum(spectrum);
    EXPECT_EQ(views.lTxSpectra + views.lChannelSpectra + views.lRxSpectra, 0);
    EXPECT_EQ(views.StoredMemory(), nullptr);  // the memory box was never on
}

INSTANTIATE_TEST_SUITE_P(
    Views, FedSpectrum,
    ::testing::Values(SpectrumCase{PanelId::TxSpectrum, SpectrumPanel::Tx, 2.0},
                      SpectrumCase{PanelId::ChannelSpectrum, SpectrumPanel::Channel, 8.0},
                      SpectrumCase{PanelId::RxSpectrum, SpectrumPanel::Rx, 18.0}));

TEST(FrameViews, MemoryTakesTheFirstFedAverageBeforeTheRunAndKeepsIt) {
    SpectraRun run;
    FrameViews views;
    const Frame channelAndRx = run.Fed({PanelId::ChannelSpectrum, PanelId::RxSpectrum});
    views.TakeFrame(channelAndRx, {});
    views.TakeFrame(channelAndRx, {true, 0});  // the channel's average as it stood: power 8
    ASSERT_NE(views.StoredMemory(), nullptr);
    EXPECT_EQ((*views.StoredMemory())[0], 8.0);
    run.SetChannelGain(4);
    views.TakeFrame(channelAndRx, {true, 0});
    EXPECT_EQ((*views.StoredMemory())[0], 8.0);  // kept, not taken again
    EXPECT_EQ(views.dChannelSpectrumAvg[0], (8.0 + 8.0 + 32.0) / 3);
    views.EmptyMemoryTrace();
    views.TakeFrame(channelAndRx, {true, 0});
    EXPECT_EQ((*views.StoredMemory())[0], 0.0);  // emptied, still stored
    views.TakeFrame(channelAndRx, {false, 0});
    EXPECT_EQ(views.StoredMemory(), nullptr);
}

TEST(FrameViews, EyeScaleFollowsTheSliderWhileATransmitOrChannelEyeIsFed) {
    const SpectraRun run;
    FrameViews views;
    views.SetTxEyeScale(0);
    views.TakeFrame(run.Fed({PanelId::RxEye, PanelId::TxSpectrum}), {false, 100});
    EXPECT_EQ(views.dTxEyeScale, 1.5);
    views.TakeFrame(run.Fed({PanelId::ChannelEye}), {false, 100});
    EXPECT_EQ(views.dTxEyeScale, 4.5);
    views.TakeFrame(run.Fed({PanelId::TxEye}), {false, 50});
    EXPECT_EQ(views.dTxEyeScale, 3.0);
}

TEST(FrameViews, AFrameWithoutARunChangesNothing) {
    FrameViews views;
    views.TakeFrame(Frame{}, {true, 100});
    EXPECT_EQ(views.dTxEyeScale, 0.0);
    EXPECT_EQ(views.lTxSpectra + views.lChannelSpectra + views.lRxSpectra, 0);
}

}  // namespace
}  // namespace linelab
