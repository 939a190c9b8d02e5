// The frame loop's own rules: when the design pass runs, what an unrecognised line code or
// format does to the rest of the tick, and the arguments of the four transmit strips.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Receiver.h"
#include "tests/CaseName.h"
#include "tests/support/FakePorts.h"
#include "transmit/Transmit.h"

namespace linelab::test {
namespace {

class TickTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.config = StartupConfig();
        host.onSliderChange = [this] {
            engine.ApplyThresholdSlider(host.slider, host);
            engine.RestartBer();
        };
        engine.SetSymbolRate(1.0);
    }

    Engine engine;
    FakePorts host;
};

TEST_F(TickTest, DesignsOnlyWhileTheResponsesAreStale) {
    EXPECT_TRUE(engine.NeedsDesign());
    EXPECT_TRUE(host.Tick(engine).designed);
    EXPECT_FALSE(engine.NeedsDesign());
    const auto before = std::make_unique<Signal>(engine.State().responses.dTxResponse);

    // Filter inputs are read only for a design: a change nobody announced is not seen.
    host.filters.side[0].bandwidth = 1.0;
    EXPECT_FALSE(host.Tick(engine).designed);
    EXPECT_EQ(engine.State().responses.dTxResponse, *before);

    engine.InvalidateResponses();
    EXPECT_TRUE(engine.NeedsDesign());
    EXPECT_TRUE(host.Tick(engine).designed);
    EXPECT_NE(engine.State().responses.dTxResponse, *before);
}

// A slider at the top with a multi-threshold pattern: the run decides with 99 and asks for
// the slider there; the owner's handling restarts the rate before the run is counted, so the
// run's rate replaces the mean and the frame says so.
TEST_F(TickTest, FrameAsksForTheSliderOffTheTopAndTheCountRestartsWithIt) {
    host.config.format = Both(Format::Ami);
    host.slider = engine.LoadDefaultThresholds(Format::Ami);
    host.Tick(engine);
    host.Tick(engine);
    ASSERT_EQ(engine.State().lBERRuns, 2);
    EXPECT_FALSE(engine.AccumulateBer().berRestarted);

    host.slider = 100;  // as an owner that set it without its handling
    const Frame& frame = host.Tick(engine);
    EXPECT_EQ(frame.thresholdSlider, 99);
    EXPECT_TRUE(frame.moveThresholdSlider);
    EXPECT_EQ(host.sliderWrites, std::vector<int>{99});
    EXPECT_NEAR(frame.dThresholds[0], 0.014142136, 1e-9);
    EXPECT_TRUE(frame.berRestarted);
    EXPECT_EQ(engine.State().lBERRuns, 1);

    // Counting again does nothing: a run is folded in once.
    engine.AccumulateBer();
    EXPECT_EQ(engine.State().lBERRuns, 1);
    EXPECT_FALSE(host.Tick(engine).moveThresholdSlider);
    EXPECT_EQ(engine.State().lBERRuns, 2);
}

// The frame's count of the run is the one the rate is taken over, and restarts show.
TEST_F(TickTest, FrameCarriesTheRunsCountAndRestarts) {
    host.config.noiseLevel = 0.5;
    for (int run = 0; run < 3; ++run) {
        if (run == 2) engine.RestartBer();
        const Frame& frame = host.Tick(engine);
        const RunErrors counted =
            CountRunErrors(engine.State().iRxData, engine.State().iData, engine.State().iCodeBaud);
        EXPECT_EQ(frame.runErrors, counted.errors) << run;
        EXPECT_EQ(frame.runBits, counted.bits) << run;
        EXPECT_EQ(frame.berRestarted, run != 1) << run;
        EXPECT_EQ(host.bers.back(), engine.State().dBER) << run;
    }
}

TEST_F(TickTest, UnknownLineCodeKeepsTheCodeBitsAndGoesOn) {
    const RunState& s = engine.State();
    host.config.code = Both(LineCoding::Manchester);
    host.config.data = DataSource::AllOnes;
    host.Tick(engine);
    ASSERT_EQ(s.iCodeBaud, 24);
    const Bits before = s.iCodedData;
    engine.RestartBer();
    host.ClearRecords();

    host.config.code = Both(std::optional<LineCoding>());  // a code no list offers
    host.config.data = DataSource::AllZeros;
    host.config.shown.Set(PanelId::CodedData, true);
    host.Tick(engine);
    ASSERT_EQ(host.messages.size(), 1u);  // the receiver's decoder skips it silently
    EXPECT_EQ(host.messages[0], Fault::UnknownLineCode);
    for (int i = 0; i < kBits; ++i)
        ASSERT_EQ(s.iCodedData[i], before[i]) << i;
    const StripCall* coded = host.Strip(StripPanel::CodedData);
    ASSERT_NE(coded, nullptr);
    EXPECT_EQ(coded->iBaud, 12);
    // The rest of the tick ran: the old code bits were mapped, sent and counted.
    for (int i = 0; i < kSymbols; ++i)
        ASSERT_EQ(s.iModData[i], before[i]) << i;
    EXPECT_EQ(s.lBERRuns, 1);
    EXPECT_EQ(host.bers.size(), 1u);
}

TEST_F(TickTest, UnknownFormatSendsNothing) {
    const RunState& s = engine.State();
    host.config.data = DataSource::AllOnes;
    host.Tick(engine);
    for (int16_t level : s.iModData)
        ASSERT_EQ(level, 1);
    engine.RestartBer();
    host.ClearRecords();

    host.config.format[0] = std::nullopt;  // a format no list offers
    host.Tick(engine);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0], Fault::UnknownMapping);
    EXPECT_EQ(s.dScale, 0.0);
    for (int16_t level : s.iModData)
        ASSERT_EQ(level, 1);
    for (int i = 0; i < kSignalFloats; ++i) {
        ASSERT_EQ(s.dTxImpulses[i], 0.0) << i;
        ASSERT_EQ(s.dRxSpectrum[i], 0.0) << i;
    }
    EXPECT_EQ(s.lBERRuns, 1);
}

struct StripCase {
    LineCoding code;
    Format format;
    int pulseWidth;  // per cent
    int16_t codedBaud, modDuty, modBaud, modMin, modMax;

    friend void PrintTo(const StripCase& c, std::ostream* os) {
        *os << IdName(c.code) << ", " << IdName(c.format) << ", " << c.pulseWidth << "%";
    }
};

class TransmitStrips : public ::testing::TestWithParam<StripCase> {};

TEST_P(TransmitStrips, DrawWithTheTableArguments) {
    const StripCase c = GetParam();
    Engine engine;
    FakePorts host;
    host.config = StartupConfig();
    host.onSliderChange = [&engine, &host] {
        engine.ApplyThresholdSlider(host.slider, host);
        engine.RestartBer();
    };
    host.config.code = Both(c.code);
    host.config.format = Both(c.format);
    host.config.iPulseWidth = host.filters.side[0].iPulseWidth = PulseWidth(c.pulseWidth);
    host.config.shown.Set(PanelId::Data, true);
    host.config.shown.Set(PanelId::PreData, true);
    host.config.shown.Set(PanelId::CodedData, true);
    host.config.shown.Set(PanelId::ModData, true);
    engine.SetSymbolRate(SymbolRate(c.code, c.format));
    host.Tick(engine);
    const RunState& s = engine.State();

    const StripCall* data = host.Strip(StripPanel::Data);
    const StripCall* pre = host.Strip(StripPanel::PreData);
    const StripCall* coded = host.Strip(StripPanel::CodedData);
    const StripCall* mod = host.Strip(StripPanel::ModData);
    ASSERT_TRUE(data && pre && coded && mod);
    for (const StripCall* bits : {data, pre, coded}) {
        EXPECT_EQ(bits->iDutyCycle, 16);
        EXPECT_EQ(bits->iMin, 0);
        EXPECT_EQ(bits->iMax, 1);
        EXPECT_EQ(bits->colour, kBlue);
        EXPECT_EQ(bits->data, bits->compareData);
    }
    EXPECT_EQ(data->iBaud, 12);
    EXPECT_EQ(pre->iBaud, 12);
    EXPECT_EQ(coded->iBaud, c.codedBaud);
    EXPECT_EQ(data->data, std::vector<int16_t>(s.iData.begin(), s.iData.end()));
    EXPECT_EQ(coded->data, std::vector<int16_t>(s.iCodedData.begin(), s.iCodedData.end()));
    EXPECT_EQ(mod->iDutyCycle, c.modDuty);
    EXPECT_EQ(mod->iBaud, c.modBaud);
    EXPECT_EQ(mod->iMin, c.modMin);
    EXPECT_EQ(mod->iMax, c.modMax);
    EXPECT_EQ(mod->colour, kBlue);
    EXPECT_EQ(mod->data, std::vector<int16_t>(s.iModData.begin(), s.iModData.end()));
    EXPECT_EQ(mod->data, mod->compareData);
}

// The four-level strip halves the code-bit scale, rounding halves to even (7.5 -> 8).
INSTANTIATE_TEST_SUITE_P(
    Formats, TransmitStrips,
    ::testing::Values(StripCase{LineCoding::None, Format::PolarNrz, 100, 12, 16, 12, -1, 1},
                      StripCase{LineCoding::Manchester, Format::Ami, 100, 24, 16, 24, -1, 1},
                      StripCase{LineCoding::FourB5B, Format::UnipolarNrz, 25, 15, 4, 15, -1, 1},
                      StripCase{LineCoding::None, Format::Pam4, 50, 12, 8, 6, -3, 3},
                      StripCase{LineCoding::FourB5BNrzi, Format::Pam4, 100, 15, 16, 8, -3, 3},
                      StripCase{LineCoding::DiffManchester, Format::Pam4, 75, 24, 12, 12, -3, 3}));

// The transforms' wide loads rely on every signal of the engine's heap-held state starting
// on a cache line, wherever the allocator puts it.
TEST(RunStateLayout, EverySignalStartsOnACacheLine) {
    const Engine engine;
    const RunState& s = engine.State();
    for (const Signal* signal :
         {&s.dTxImpulses, &s.dRxSpectrum, &s.dRxTimeData, &s.dTxSpectrum, &s.dTxWaveform, &s.dNoise,
          &s.dRxNoiseSpectrum, &s.responses.dTxResponse, &s.responses.dRxResponse,
          &s.responses.dChannelResponse, &s.responses.dTotalResponse})
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(signal->data()) % 64, 0u);
}

}  // namespace
}  // namespace linelab::test
