// Whole ticks through the engine: transmit half, design pass and receive half together.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <tuple>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Receiver.h"
#include "tests/CaseName.h"
#include "tests/support/FakePorts.h"
#include "transmit/Transmit.h"

namespace linelab::test {
namespace {

// The window's part in a tick: settings, filter records and what the format handler sets up
// (symbol rate, default thresholds, threshold slider).
class Link {
  public:
    Link(LineCoding code, Format format) {
        host.config = StartupConfig();
        host.onSliderChange = [this] {
            engine.ApplyThresholdSlider(host.slider, host);
            engine.RestartBer();
        };
        host.config.code = {code, code};
        host.config.format = {format, format};
        engine.SetSymbolRate(SymbolRate(code, format));
        host.slider = engine.LoadDefaultThresholds(format);
    }

    void Filters(FilterType tx, FilterType rx, int eb) {
        host.filters = test::Filters(tx, rx);
        host.filters.side[0].excessBandwidth = host.filters.side[1].excessBandwidth = eb;
    }

    // Received data bits that differ from the sent ones over the compared range.
    int Errors() const {
        const RunState& s = engine.State();
        int errors = 0;
        for (int k = 8; k <= LastComparedBit(s.iCodeBaud); ++k)
            errors += s.iRxData[k] != s.iData[k];
        return errors;
    }

    Engine engine;
    FakePorts host;
};

using CodeFormat = std::tuple<LineCoding, Format>;

class CleanLoopback : public ::testing::TestWithParam<CodeFormat> {};

TEST_P(CleanLoopback, ReceivesWhatWasSent) {
    const auto& [code, format] = GetParam();
    Link link(code, format);
    for (int run = 0; run < 4; ++run) {
        link.host.Tick(link.engine);
        ASSERT_EQ(link.Errors(), 0) << testing::PrintToString(GetParam()) << " run " << run;
    }
    EXPECT_EQ(link.engine.State().dBER, 0.0);
    EXPECT_EQ(link.engine.State().lBERRuns, 4);
    EXPECT_EQ(link.host.bers.back(), 0.0);
    EXPECT_TRUE(link.host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllCodesAndFormats, CleanLoopback,
                         ::testing::Combine(::testing::ValuesIn(kAllLineCodings),
                                            ::testing::ValuesIn(kAllFormats)));

struct NyquistCase {
    FilterType tx;
    FilterType rx;
    int eb;

    friend void PrintTo(const NyquistCase& c, std::ostream* os) {
        *os << test::IdName(c.tx) << " + " << test::IdName(c.rx) << " at " << c.eb;
    }
};

using NyquistFormat = std::tuple<NyquistCase, Format>;

class NyquistLoopback : public ::testing::TestWithParam<NyquistFormat> {};

TEST_P(NyquistLoopback, ReceivesWhatWasSent) {
    const auto& [pair, format] = GetParam();
    Link link(LineCoding::None, format);
    link.Filters(pair.tx, pair.rx, pair.eb);
    for (int run = 0; run < 4; ++run) {
        link.host.Tick(link.engine);
        ASSERT_EQ(link.Errors(), 0) << testing::PrintToString(pair);
    }
    EXPECT_EQ(link.engine.State().dBER, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, NyquistLoopback,
    ::testing::Combine(::testing::Values(NyquistCase{FilterType::RootRC, FilterType::Matched, 50},
                                         NyquistCase{FilterType::RootRC, FilterType::Matched, 100},
                                         NyquistCase{FilterType::RC, FilterType::None, 50},
                                         NyquistCase{FilterType::RC, FilterType::None, 100}),
                       ::testing::ValuesIn(kAllFormats)));

TEST(NoisyLink, DrawsAreTheSameWhateverThePanels) {
    Link quiet(LineCoding::Manchester, Format::PolarNrz);
    Link busy(LineCoding::Manchester, Format::PolarNrz);
    for (Link* link : {&quiet, &busy})
        link->host.config.noiseLevel = NoiseLevel(Val("0.4"));
    LinkConfig& st = busy.host.config;
    st.shown.Set(PanelId::Data, true);
    st.shown.Set(PanelId::PreData, true);
    st.shown.Set(PanelId::CodedData, true);
    st.shown.Set(PanelId::ModData, true);
    st.shown.Set(PanelId::TxEye, true);
    st.shown.Set(PanelId::ChannelEye, true);
    st.shown.Set(PanelId::RxEye, true);
    st.shown.Set(PanelId::TxSpectrum, true);
    st.shown.Set(PanelId::ChannelSpectrum, true);
    st.shown.Set(PanelId::RxSpectrum, true);
    st.shown.Set(PanelId::DemodData, true);
    st.shown.Set(PanelId::DecodedData, true);
    st.shown.Set(PanelId::PostData, true);
    st.shown.Set(PanelId::RxData, true);
    for (int run = 0; run < 3; ++run) {
        quiet.host.Tick(quiet.engine);
        busy.host.Tick(busy.engine);
        const RunState& a = quiet.engine.State();
        const RunState& b = busy.engine.State();
        for (int i = 0; i < kSignalFloats; ++i)
            ASSERT_EQ(a.dRxTimeData[i], b.dRxTimeData[i]) << i;
    }
    EXPECT_FALSE(busy.host.eyes.empty());
}

TEST(NoisyLink, ErrorRateGrowsWithTheNoise) {
    double previous = -1;
    for (const char* level : {"0.1", "1.0", "100"}) {
        Link link(LineCoding::None, Format::PolarNrz);
        link.host.config.noiseLevel = NoiseLevel(Val(level));
        for (int run = 0; run < 20; ++run)
            link.host.Tick(link.engine);
        const double ber = link.engine.State().dBER;
        EXPECT_GT(ber, previous) << level;
        previous = ber;
    }
    EXPECT_GT(previous, 0.2);
}

TEST(NoisyLink, HugeTypedSettingsStayFinite) {
    Link link(LineCoding::FourB5BNrzi, Format::Hdb3);
    LinkConfig& st = link.host.config;
    st.noiseLevel = NoiseLevel(Val("1e999"));
    st.echo.gain = EchoGain(Val("99999999999999999999"));
    st.echo.delay = EchoDelay(Val("-1e999"));
    st.samplingOffset = -32;
    st.shown.Set(PanelId::RxEye, true);
    for (int run = 0; run < 3; ++run) {
        link.host.Tick(link.engine);
        for (double v : link.engine.State().dRxTimeData)
            ASSERT_TRUE(std::isfinite(v));
    }
    const double ber = link.engine.State().dBER;
    EXPECT_TRUE(ber >= 0 && ber <= 1);
}

}  // namespace
}  // namespace linelab::test
