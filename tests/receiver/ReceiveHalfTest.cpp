#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "common/Tables.h"
#include "display/DrawFrame.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "receiver/Receiver.h"
#include "tests/support/FakePorts.h"
#include "transmit/Transmit.h"

namespace linelab::test {
namespace {

// A run as the transmit half leaves it, over a link whose every response is 1: the received
// waveform is the impulse train itself, one impulse of height level per slot.
class ReceiveHalfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.config = StartupConfig();
        host.onSliderChange = [this] {
            SetThresholds(s, host.slider, host);
            s.lBERRuns = 0;
        };
        Responses& r = s.responses;
        for (Signal* response :
             {&r.dTxResponse, &r.dRxResponse, &r.dChannelResponse, &r.dTotalResponse}) {
            for (int i = 0; i < kSignalFloats; i += 2)
                (*response)[i] = 1.0;
        }
        s.dBaudRate = 1.0;
        s.iTxDutyCycle = 16;
        UseFormat(Format::UnipolarNrz);
        Uniform bits(99);
        for (int k = 0; k < kSymbols; ++k) {
            const int16_t bit = bits.Next() < 0.5 ? 1 : 0;
            s.iData[k] = s.iPreData[k] = s.iCodedData[k] = s.iModData[k] = bit;
        }
        Transmit();
    }

    void UseFormat(Format format) {
        host.config.format = Both(format);
        const auto& t = DefaultThresholds(format);
        std::copy(t.begin(), t.end(), s.dThresholds.begin());
        host.slider = ThresholdSliderFor(t[0]);
    }

    // The impulse train of iModData (height = level), its spectrum and the two copies.
    void Transmit() {
        s.dTxImpulses.fill(0);
        for (int k = 0; k < kSymbols; ++k)
            s.dTxImpulses[32 * k] = s.iModData[k];
        FFT(s.dTxImpulses, kPoints, false, false);
        s.dRxSpectrum = s.dTxImpulses;
        s.dRxTimeData = s.dTxImpulses;
    }

    void AllPanels(bool on) {
        LinkConfig& st = host.config;
        st.shown.Set(PanelId::TxEye, on);
        st.shown.Set(PanelId::ChannelEye, on);
        st.shown.Set(PanelId::RxEye, on);
        st.shown.Set(PanelId::TxSpectrum, on);
        st.shown.Set(PanelId::ChannelSpectrum, on);
        st.shown.Set(PanelId::RxSpectrum, on);
        st.shown.Set(PanelId::DemodData, on);
        st.shown.Set(PanelId::DecodedData, on);
        st.shown.Set(PanelId::PostData, on);
        st.shown.Set(PanelId::RxData, on);
    }

    // The receive half, then what an owner does with it: the slider moved where the run
    // asks, the run counted, its caption shown and its frame drawn.
    void Run() {
        const int16_t iTxCodeBaud = s.iCodeBaud;
        const ReceivedRun run = ReceiveHalf(s, host.config, host.slider, host);
        if (run.thresholdSlider != host.slider) host.SetThresholdSlider(run.thresholdSlider);
        AccumulateBer(s, static_cast<double>(run.errors.errors) / run.errors.bits);
        host.bers.push_back(s.dBER);
        const Frame frame = FrameOf(s, host.config, iTxCodeBaud);
        host.views.TakeFrame(frame, host.viewSettings);
        DrawFrame(frame, host.views, host);
    }

    RunState s;
    FakePorts host;
};

TEST_F(ReceiveHalfTest, CleanLinkReturnsTheData) {
    Run();
    for (int k = 0; k < kSymbols; ++k) {
        ASSERT_EQ(s.iDemodData[k], s.iModData[k]) << k;
        ASSERT_EQ(s.iRxData[k], s.iData[k]) << k;
    }
    EXPECT_EQ(s.dBER, 0.0);
    EXPECT_EQ(s.lBERRuns, 1);
    EXPECT_EQ(host.bers, std::vector<double>{0.0});
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ReceiveHalfTest, NoNoiseFormsNoTransmitWaveform) {
    AllPanels(true);
    s.dTxWaveform.fill(7);
    const Uniform rngBefore = s.rng;
    Run();
    for (int i = 0; i < kSignalFloats; ++i)
        ASSERT_EQ(s.dTxWaveform[i], 7);
    Uniform after = s.rng;
    Uniform before = rngBefore;
    EXPECT_EQ(after.NextBits(), before.NextBits());  // no noise drawn
}

TEST_F(ReceiveHalfTest, PanelsOffDrawAndFormNothing) {
    Run();
    EXPECT_TRUE(host.strips.empty() && host.eyes.empty() && host.spectra.empty());
    const StageProducts& stages = host.views.stages;
    for (const Signal* stage : {&stages.TxFilterSpectrum(), &stages.TxTimeData(),
                                &stages.ChannelSpectrum(), &stages.ChannelTimeData()})
        EXPECT_EQ(*stage, Signal{});
}

TEST_F(ReceiveHalfTest, ChannelSpectrumAloneTransformsNothing) {
    Uniform sequence(5);
    for (int i = 0; i < kSignalFloats; ++i) {
        s.responses.dTxResponse[i] = sequence.Next();
        s.responses.dChannelResponse[i] = sequence.Next();
    }
    host.config.shown.Set(PanelId::ChannelSpectrum, true);
    Run();
    Signal tx{};
    ComplexProduct(s.responses.dTxResponse, s.dTxImpulses, tx);
    Signal channel{};
    ComplexProduct(s.responses.dChannelResponse, tx, channel);
    const StageProducts& stages = host.views.stages;
    for (int i = 0; i < kSignalFloats; ++i) {
        ASSERT_EQ(stages.TxFilterSpectrum()[i], tx[i]);
        ASSERT_EQ(stages.TxTimeData()[i], tx[i]);  // a copy, still a spectrum
        ASSERT_EQ(stages.ChannelSpectrum()[i], channel[i]);
        ASSERT_EQ(stages.ChannelTimeData()[i], 0);
    }
    ASSERT_EQ(host.spectra.size(), 1u);
    EXPECT_EQ(host.spectra[0].panel, SpectrumPanel::Channel);
    EXPECT_EQ(host.spectra[0].average, &host.views.dChannelSpectrumAvg);
    EXPECT_EQ(host.views.lChannelSpectra, 1);
    EXPECT_TRUE(host.eyes.empty());
}

TEST_F(ReceiveHalfTest, EveryPanelGetsItsArguments) {
    AllPanels(true);
    host.viewSettings.txEyeScale = 50;
    Run();
    ASSERT_EQ(host.eyes.size(), 3u);
    EXPECT_EQ(host.eyes[0].panel, EyePanel::Tx);
    EXPECT_EQ(host.eyes[1].panel, EyePanel::Channel);
    EXPECT_EQ(host.eyes[2].panel, EyePanel::Rx);
    for (int e = 0; e < 2; ++e) {
        EXPECT_DOUBLE_EQ(host.eyes[e].scaleFactor, 3.0);
        EXPECT_FALSE(host.eyes[e].showThreshold);
        EXPECT_NEAR(host.eyes[e].firstSample, s.iModData[0], 1e-12);  // a waveform, not a spectrum
    }
    EXPECT_DOUBLE_EQ(host.views.dTxEyeScale, 3.0);
    EXPECT_EQ(host.eyes[2].scaleFactor, kSqrt2);
    EXPECT_TRUE(host.eyes[2].showThreshold);

    ASSERT_EQ(host.spectra.size(), 3u);
    EXPECT_EQ(host.spectra[0].average, &host.views.dTxSpectrumAvg);
    EXPECT_EQ(host.spectra[1].average, &host.views.dChannelSpectrumAvg);
    EXPECT_EQ(host.spectra[2].average, &host.views.dRxSpectrumAvg);
    for (const SpectrumCall& call : host.spectra) {
        EXPECT_EQ(call.colour, 0);
        EXPECT_EQ(call.memory, nullptr);  // the memory box is hidden
    }
    // Each average was updated before its panel was drawn; the receive one from the
    // noise-free spectrum.
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(host.views.dRxSpectrumAvg[i],
                  s.dRxSpectrum[2 * i] * s.dRxSpectrum[2 * i] +
                      s.dRxSpectrum[2 * i + 1] * s.dRxSpectrum[2 * i + 1]);
    }
    EXPECT_EQ(host.views.lTxSpectra + host.views.lChannelSpectra + host.views.lRxSpectra, 3);
}

TEST_F(ReceiveHalfTest, ReceiveEyeRescalesTheThresholdsFirst) {
    UseFormat(Format::Ami);
    host.config.shown.Set(PanelId::RxEye, true);
    host.slider = 100;
    s.lBERRuns = 5;
    Run();
    EXPECT_EQ(host.slider, 99);
    ASSERT_EQ(host.eyes.size(), 1u);
    EXPECT_NEAR(host.eyes[0].thresholds[0], 0.014142136, 1e-9);
    EXPECT_NEAR(host.eyes[0].thresholds[1], -0.014142136, 1e-9);
    // The handling of the slider restarted the average before this run was counted.
    EXPECT_EQ(s.lBERRuns, 1);
}

template <typename Array>
std::vector<int16_t> AsVector(const Array& a) {
    return {a.begin(), a.end()};
}

// Strip arguments: duty cycle, time scale, data against what was sent, level range, blue.
void ExpectStrip(const FakePorts& host, StripPanel panel, std::vector<int> args,
                 const std::vector<int16_t>& data, const std::vector<int16_t>& compare) {
    const StripCall* call = host.Strip(panel);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ((std::vector<int>{call->iDutyCycle, call->iBaud, call->iMin, call->iMax}), args);
    EXPECT_EQ(call->data, data);
    EXPECT_EQ(call->compareData, compare);
    EXPECT_EQ(call->colour, kBlue);
}

TEST_F(ReceiveHalfTest, StripsCompareWithTheTransmitArrays) {
    AllPanels(true);
    s.iTxDutyCycle = 12;
    host.config.code = Both(LineCoding::FourB5B);
    UseFormat(Format::Pam4);
    Run();
    // CInt(15 / 2) = 8, halves to even.
    ExpectStrip(host, StripPanel::DemodData, {12, 8, -3, 3}, AsVector(s.iDemodData),
                AsVector(s.iModData));
    ExpectStrip(host, StripPanel::DecodedData, {16, 15, 0, 1}, AsVector(s.iDecodedData),
                AsVector(s.iCodedData));
    ExpectStrip(host, StripPanel::PostData, {16, 12, 0, 1}, AsVector(s.iPostData),
                AsVector(s.iPreData));
    ExpectStrip(host, StripPanel::RxData, {16, 12, 0, 1}, AsVector(s.iRxData), AsVector(s.iData));

    host.ClearRecords();
    host.config.code = Both(LineCoding::None);
    Run();
    EXPECT_EQ(host.Strip(StripPanel::DemodData)->iBaud, 6);
}

TEST_F(ReceiveHalfTest, UnknownReceiveFormatStopsAfterTheRun) {
    host.config.format[1] = std::nullopt;
    s.iDemodData.fill(5);
    s.iDecodedData.fill(6);
    host.config.shown.Set(PanelId::DemodData, true);
    Run();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], Fault::UnknownDemodulation);
    for (int k = 0; k < kSymbols; ++k)
        EXPECT_EQ(s.iDemodData[k], 5);
    EXPECT_EQ(s.iDecodedData[0], 6);
    EXPECT_EQ(host.Strip(StripPanel::DemodData)->iMax, 1);
    EXPECT_EQ(host.bers.size(), 1u);  // the run still ends with its error rate
}

TEST_F(ReceiveHalfTest, InversionFlipsDecisions) {
    UseFormat(Format::PolarNrz);
    for (int16_t& level : s.iModData)
        level = level == 0 ? -1 : 1;
    Transmit();
    host.config.invert = false;
    Run();
    EXPECT_EQ(s.dBER, 0.0);
    host.config.invert = true;
    Transmit();
    Run();
    for (int k = 0; k < kSymbols; ++k)
        ASSERT_EQ(s.iDemodData[k], -s.iModData[k]) << k;
}

TEST_F(ReceiveHalfTest, EchoActsOnTheReceivedWaveform) {
    host.config.echo.gain = EchoGain(Val("100"));
    host.config.echo.delay = EchoDelay(Val("1.0"));
    Run();
    for (int k = 0; k < kSymbols - 1; ++k) {
        ASSERT_NEAR(s.dRxTimeData[32 * k], s.iModData[k] + s.iModData[k + 1], 1e-12) << k;
    }
    ASSERT_NEAR(s.dRxTimeData[32 * 127], s.iModData[127], 1e-12);  // nothing wraps around
}

// Noise through the whole receive half.
class ReceiveNoiseTest : public ReceiveHalfTest {};

TEST_F(ReceiveNoiseTest, ZeroNoiseLeavesTheWaveformClean) {
    auto clean = std::make_unique<RunState>(s);
    FakePorts cleanHost;
    cleanHost.config = host.config;
    ReceiveHalf(*clean, cleanHost.config, cleanHost.slider, cleanHost);
    for (const char* text : {"0", "None", "-0.8"}) {
        auto run = std::make_unique<RunState>(s);
        host.config.noiseLevel = NoiseLevel(Val(text));
        ReceiveHalf(*run, host.config, host.slider, host);
        for (int i = 0; i < kSignalFloats; ++i)
            ASSERT_EQ(run->dRxTimeData[i], clean->dRxTimeData[i]);
        Uniform drawn = run->rng;
        Uniform none = clean->rng;
        EXPECT_EQ(drawn.NextBits(), none.NextBits()) << text;
    }
}

}  // namespace
}  // namespace linelab::test
