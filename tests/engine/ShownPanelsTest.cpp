// No stage's result may depend on a panel's check box: with any one panel shown, or all of
// them, fifty noisy runs give the same arrays, decisions, thresholds and error rate as with
// every panel off. Only what feeds a picture (the transmit and channel waveforms) may differ,
// and a spectrum's box changes nothing of the run at all: its average is the views'.

#include <gtest/gtest.h>

#include <memory>

#include "engine/RecordPorts.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

// The stage results of a run that the decisions and the error count rest on.
void ExpectSameResults(const RunState& a, const RunState& b, int run) {
    EXPECT_EQ(a.iData, b.iData) << run;
    EXPECT_EQ(a.iPreData, b.iPreData) << run;
    EXPECT_EQ(a.iCodedData, b.iCodedData) << run;
    EXPECT_EQ(a.iModData, b.iModData) << run;
    EXPECT_EQ(a.dRxTimeData, b.dRxTimeData) << run;
    EXPECT_EQ(a.dThresholds, b.dThresholds) << run;
    EXPECT_EQ(a.iDemodData, b.iDemodData) << run;
    EXPECT_EQ(a.iDecodedData, b.iDecodedData) << run;
    EXPECT_EQ(a.iRxData, b.iRxData) << run;
    EXPECT_EQ(a.dBER, b.dBER) << run;
}

// A noisy, echoing, band-limited link at a three-level format, slider off its default.
struct ShownLink {
    explicit ShownLink(const ShownPanels& shown) : owner(engine) {
        owner.config = StartupConfig();
        owner.config.format = Both<Format>(Format::Ami);
        owner.config.code = Both<LineCoding>(LineCoding::Manchester);
        owner.config.noiseLevel = 0.3;
        owner.config.echo = {0.3, 9};
        owner.config.samplingOffset = 3;
        owner.config.shown = shown;
        owner.filters.lowPass = 1.5;
        engine.SetSymbolRate(SymbolRate(LineCoding::Manchester, Format::Ami));
        engine.LoadDefaultThresholds(Format::Ami);
        owner.slider = 30;
        engine.ApplyThresholdSlider(owner.slider, owner);
    }
    Engine engine;
    RecordPorts owner;
};

void ExpectShownChangesNothing(const ShownPanels& shown) {
    ShownLink plain{ShownPanels{}};
    ShownLink drawn{shown};
    for (int run = 0; run < 50; ++run) {
        plain.owner.Tick();
        drawn.owner.Tick();
        ExpectSameResults(plain.engine.State(), drawn.engine.State(), run);
    }
    EXPECT_EQ(plain.owner.messageCount, 0);
}

// Every array of the run, the waveforms the eyes read included.
void ExpectSameRun(const RunState& a, const RunState& b, int run) {
    ExpectSameResults(a, b, run);
    EXPECT_EQ(a.dTxFilterSpectrum, b.dTxFilterSpectrum) << run;
    EXPECT_EQ(a.dTxTimeData, b.dTxTimeData) << run;
    EXPECT_EQ(a.dChannelSpectrum, b.dChannelSpectrum) << run;
    EXPECT_EQ(a.dChannelTimeData, b.dChannelTimeData) << run;
    EXPECT_EQ(a.dNoise, b.dNoise) << run;
    EXPECT_EQ(a.dRxNoiseSpectrum, b.dRxNoiseSpectrum) << run;
    EXPECT_EQ(a.dRxSpectrum, b.dRxSpectrum) << run;
    EXPECT_EQ(a.lBERRuns, b.lBERRuns) << run;
}

TEST(ShownPanels, SpectrumBoxesChangeNothingOfTheRun) {
    ShownPanels eyes;
    eyes.Set(PanelId::TxEye, true);
    eyes.Set(PanelId::ChannelEye, true);
    ShownPanels spectra = eyes;
    spectra.Set(PanelId::TxSpectrum, true);
    spectra.Set(PanelId::ChannelSpectrum, true);
    spectra.Set(PanelId::RxSpectrum, true);
    ShownLink plain{eyes};
    ShownLink drawn{spectra};
    for (int run = 0; run < 20; ++run) {
        plain.owner.Tick();
        drawn.owner.Tick();
        ExpectSameRun(plain.engine.State(), drawn.engine.State(), run);
    }
    EXPECT_EQ(plain.owner.views.lRxSpectra, 0);
    EXPECT_EQ(drawn.owner.views.lRxSpectra, 20);
}

TEST(ShownPanels, NoSwitchChangesAnyResult) {
    ShownPanels all;
    for (std::size_t p = 0; p < kPanelCount; ++p) {
        ShownPanels one;
        one.Set(static_cast<PanelId>(p), true);
        all.Set(static_cast<PanelId>(p), true);
        SCOPED_TRACE(p);
        ExpectShownChangesNothing(one);
    }
    ExpectShownChangesNothing(all);
}

}  // namespace
}  // namespace linelab::test
