// Engines share nothing mutable: two engines ticking in two threads at once give exactly the
// results of the same two runs made one after the other. The settings reach the paths that
// once kept state outside the engine (the slider forcing) and every shared read-only table
// (the transform's twiddles, the design pass).

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "receiver/Receiver.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

constexpr int kRuns = 40;

// A busy link: every panel on, noise, echo, the receive eye forcing the slider off its top.
void Busy(RecordPorts& owner, Engine& engine) {
    owner.config = StartupConfig();
    LinkConfig& st = owner.config;
    st.code = Both(LineCoding::Manchester);
    st.format = Both(Format::Ami);
    st.noiseLevel = NoiseLevel(Val("0.4"));
    st.echo.delay = EchoDelay(Val("1.5"));
    st.echo.gain = EchoGain(Val("0.3"));
    st.shown.Set(PanelId::Data, true);
    st.shown.Set(PanelId::CodedData, true);
    st.shown.Set(PanelId::ModData, true);
    st.shown.Set(PanelId::RxData, true);
    st.shown.Set(PanelId::TxEye, true);
    st.shown.Set(PanelId::ChannelEye, true);
    st.shown.Set(PanelId::RxEye, true);
    st.shown.Set(PanelId::TxSpectrum, true);
    st.shown.Set(PanelId::ChannelSpectrum, true);
    st.shown.Set(PanelId::RxSpectrum, true);
    owner.viewSettings.memory = true;
    engine.SetSymbolRate(SymbolRate(LineCoding::Manchester, Format::Ami));
    engine.LoadDefaultThresholds(Format::Ami);
    owner.slider = 100;
}

// A different one: 4-PAM with scrambling and a root raised-cosine pair, panels off.
void Quiet(RecordPorts& owner, Engine& engine) {
    owner.config = StartupConfig();
    LinkConfig& st = owner.config;
    st.preCode = Both(PreCoding::Scramble);
    st.format = Both(Format::Pam4);
    st.noiseLevel = NoiseLevel(Val("0.1"));
    owner.filters = Filters(FilterType::RootRC, FilterType::RootRC);
    engine.SetSymbolRate(SymbolRate(LineCoding::None, Format::Pam4));
    owner.slider = engine.LoadDefaultThresholds(Format::Pam4);
    engine.SeedGenerator(7);
}

using Setup = void (*)(RecordPorts&, Engine&);

// An engine after its runs, with the views its owner fed.
struct Ran {
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FrameViews> views;
    const RunState& State() const { return engine->State(); }
};

Ran RunEngine(Setup setup) {
    Ran ran{std::make_unique<Engine>(), nullptr};
    RecordPorts owner(*ran.engine);
    setup(owner, *ran.engine);
    for (int run = 0; run < kRuns; ++run)
        owner.Tick();
    ran.views = std::make_unique<FrameViews>(owner.views);
    return ran;
}

template <typename Array>
bool Same(const Array& a, const Array& b) {
    return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

// Everything a run leaves behind that a later run or a reader sees.
void ExpectSameState(const Ran& ranA, const Ran& ranB) {
    const RunState& a = ranA.State();
    const RunState& b = ranB.State();
    const FrameViews& va = *ranA.views;
    const FrameViews& vb = *ranB.views;
    EXPECT_TRUE(Same(a.iData, b.iData));
    EXPECT_TRUE(Same(a.iModData, b.iModData));
    EXPECT_TRUE(Same(a.iRxData, b.iRxData));
    EXPECT_TRUE(Same(a.dTxWaveform, b.dTxWaveform));
    EXPECT_TRUE(Same(va.stages.TxTimeData(), vb.stages.TxTimeData()));
    EXPECT_TRUE(Same(va.stages.ChannelTimeData(), vb.stages.ChannelTimeData()));
    EXPECT_TRUE(Same(a.dRxTimeData, b.dRxTimeData));
    EXPECT_TRUE(Same(a.dRxNoiseSpectrum, b.dRxNoiseSpectrum));
    EXPECT_TRUE(Same(a.responses.dTotalResponse, b.responses.dTotalResponse));
    EXPECT_TRUE(Same(va.dTxSpectrumAvg, vb.dTxSpectrumAvg));
    EXPECT_TRUE(Same(va.dRxSpectrumAvg, vb.dRxSpectrumAvg));
    EXPECT_TRUE(Same(va.dMemorySpectrum, vb.dMemorySpectrum));
    EXPECT_TRUE(Same(a.dThresholds, b.dThresholds));
    EXPECT_EQ(std::memcmp(&a.dBER, &b.dBER, sizeof(double)), 0);
    EXPECT_EQ(a.lBERRuns, b.lBERRuns);
    EXPECT_EQ(va.lRxSpectra, vb.lRxSpectra);
    Uniform ga = a.rng, gb = b.rng;
    EXPECT_EQ(ga.NextBits(), gb.NextBits());
}

TEST(EngineThreads, TwoEnginesAtOnceMatchTheSameRunsOneAfterTheOther) {
    const auto busyAlone = RunEngine(Busy);
    const auto quietAlone = RunEngine(Quiet);
    // The two settings really differ, so a mix-up between the engines would show.
    ASSERT_FALSE(Same(busyAlone.State().iData, quietAlone.State().iData));
    ASSERT_GT(busyAlone.views->lRxSpectra, 0);

    for (int attempt = 0; attempt < 3; ++attempt) {
        Ran busy, quiet;
        std::thread a([&busy] { busy = RunEngine(Busy); });
        std::thread b([&quiet] { quiet = RunEngine(Quiet); });
        a.join();
        b.join();
        ExpectSameState(busy, busyAlone);
        ExpectSameState(quiet, quietAlone);
    }
}

}  // namespace
}  // namespace linelab::test
