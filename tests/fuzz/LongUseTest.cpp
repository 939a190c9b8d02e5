// Long use: the counts of the running averages reach the top of their 32-bit range after
// 2^31 runs, which a batch run reaches in hours. From there on the count stays at the top
// and every new run keeps the same small weight, so the averages stay means and keep
// moving; nothing wraps to a negative count.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "common/Tables.h"
#include "display/Plots.h"
#include "display/SpectrumAverage.h"
#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "tests/fuzz/CheckingCanvas.h"
#include "transmit/Transmit.h"
#include "ui/RunStatusText.h"

namespace linelab::fuzz {
namespace {

constexpr int32_t kTop = INT32_MAX;
// The weight of one more run once the count sits at the top.
constexpr double kTopWeight = 1.0 / kTop;

// Decibels, the range the scenes set.
const SpectrumView kView{false, 150};

// Panels that draw the spectra on checking canvases and nothing else.
class SpectrumCanvases final : public Panels {
  public:
    void DrawStrip(StripPanel, int16_t, int16_t, std::span<const int16_t>, std::span<const int16_t>,
                   int32_t, int16_t, int16_t) override {}
    void DrawEye(EyePanel, const Signal&, double, const Thresholds&, bool) override {}
    void DrawSpectrum(SpectrumPanel panel, const SpectrumAverage& average,
                      const SpectrumAverage* memory, int32_t colour) override {
        PlotSpectrum(average, memory, canvases[static_cast<int>(panel)], colour, kView);
    }

    std::array<CheckingCanvas, 3> canvases{CheckingCanvas(9000, 3000), CheckingCanvas(9000, 3000),
                                           CheckingCanvas(9000, 3000)};
};

// The owner of an engine without a window: plain settings, the spectra drawn on checking
// canvases.
struct PlainOwner {
    explicit PlainOwner(Engine& engine) : ports(engine, &panels) {
        LinkConfig& settings = ports.config;
        settings.data = DataSource::AllOnes;
        settings.preCode = {PreCoding::None, PreCoding::None};
        settings.code = {LineCoding::None, LineCoding::None};
        settings.format = {Format::UnipolarNrz, Format::UnipolarNrz};
        ports.slider = ThresholdSliderFor(Info(Format::UnipolarNrz).thresholds[0]);
    }

    SpectrumCanvases panels;
    RecordPorts ports;
};

// A run state as its owner leaves it after start-up with the default lists: the symbol rate
// and the decision thresholds of "Unipolar (N)RZ" in place.
std::unique_ptr<RunState> StateLikeTheWindow() {
    auto s = std::make_unique<RunState>();
    s->dBaudRate = 1.0;
    const auto& t = Info(Format::UnipolarNrz).thresholds;
    std::copy(t.begin(), t.end(), s->dThresholds.begin());
    return s;
}

TEST(LongUse, BitErrorRateCountStaysAtTheTopAndTheRateStaysAMean) {
    auto start = StateLikeTheWindow();
    start->lBERRuns = kTop - 1;
    start->dBER = 0.25;
    Engine engine(std::move(start));
    PlainOwner owner(engine);
    // A channel that passes nothing: every sent 1 is received as 0, each run's rate is 1.
    owner.ports.filters.lowPass = 0.0;
    const RunState& s = engine.State();

    owner.ports.Tick();
    ASSERT_EQ(owner.ports.messageCount, 0);
    EXPECT_EQ(s.lBERRuns, kTop);
    const double first = (1 + (kTop - 1.0) * 0.25) / kTop;
    EXPECT_DOUBLE_EQ(s.dBER, first);

    double expected = first;
    for (int run = 0; run < 3; ++run) {
        owner.ports.Tick();
        expected += (1 - expected) * kTopWeight;
        EXPECT_EQ(s.lBERRuns, kTop);
        EXPECT_DOUBLE_EQ(s.dBER, expected);
    }
    EXPECT_GT(s.dBER, first);  // still moving towards the runs' rate
    EXPECT_LE(s.dBER, 1.0);
    EXPECT_EQ(BerCaption(s.dBER), "BER = 0.25");
}

TEST(LongUse, RestartAfterSaturationStartsAFreshMean) {
    auto start = StateLikeTheWindow();
    start->lBERRuns = kTop;
    start->dBER = 0.75;
    Engine engine(std::move(start));
    PlainOwner owner(engine);
    const RunState& s = engine.State();
    engine.RestartBer();
    owner.ports.Tick();  // a perfect channel: this run's rate is 0 and replaces the old mean
    EXPECT_EQ(s.lBERRuns, 1);
    EXPECT_EQ(s.dBER, 0.0);
}

TEST(LongUse, SpectrumCountsOfTheViewsStayAtTheTop) {
    Engine engine(StateLikeTheWindow());
    PlainOwner owner(engine);
    FrameViews& views = owner.ports.views;
    views.lTxSpectra = views.lChannelSpectra = views.lRxSpectra = kTop - 1;
    LinkConfig& settings = owner.ports.config;
    settings.shown.Set(PanelId::TxSpectrum, true);
    settings.shown.Set(PanelId::ChannelSpectrum, true);
    settings.shown.Set(PanelId::RxSpectrum, true);
    for (int run = 0; run < 3; ++run)
        owner.ports.Tick();
    EXPECT_EQ(views.lTxSpectra, kTop);
    EXPECT_EQ(views.lChannelSpectra, kTop);
    EXPECT_EQ(views.lRxSpectra, kTop);
    for (const CheckingCanvas& canvas : owner.panels.canvases) {
        EXPECT_EQ(canvas.Fault(), "");
        EXPECT_GT(canvas.Lines(), 0);
    }
    for (int i = 0; i < 512; ++i)
        ASSERT_TRUE(std::isfinite(views.dRxSpectrumAvg[i])) << i;
}

// A run spectrum whose every point has the power 2 v^2 at the rate 1.0.
Signal Flat(double v) {
    Signal x{};
    x.fill(v);
    return x;
}

struct Saturation {
    int32_t count;    // before the first call
    double oldPower;  // the average before the first call, at every point
    double runPower;  // the power of every run

    // Readable case names in the test listing.
    friend void PrintTo(const Saturation& s, std::ostream* out) {
        *out << "count " << s.count << ", average " << s.oldPower << ", run " << s.runPower;
    }
};

class SpectrumAtTheTop : public testing::TestWithParam<Saturation> {};

TEST_P(SpectrumAtTheTop, AverageKeepsMovingWithTheSameWeight) {
    const Saturation& p = GetParam();
    const Signal run = Flat(std::sqrt(p.runPower / 2));
    SpectrumAverage average{};
    std::fill_n(average.begin(), 512, p.oldPower);
    CheckingCanvas canvas(9000, 3000);
    int32_t count = p.count;
    double expected = p.oldPower;
    for (int call = 0; call < 4; ++call) {
        const int32_t n = count < kTop ? count + 1 : kTop;
        expected = ((n - 1.0) * expected + p.runPower) / n;
        AccumulateSpectrum(run, average, count, 1.0);
        PlotSpectrum(average, nullptr, canvas, 0, kView);
        ASSERT_EQ(count, kTop);
        for (int i = 0; i < 512; ++i)
            ASSERT_DOUBLE_EQ(average[i], expected) << "point " << i;
    }
    // Four runs at the top moved the mean by four top weights of the difference.
    EXPECT_NEAR(average[0] - p.oldPower, 4 * kTopWeight * (p.runPower - p.oldPower),
                1e-3 * std::abs(p.runPower - p.oldPower) * kTopWeight + 1e-300);
    EXPECT_EQ(canvas.Fault(), "");
}

INSTANTIATE_TEST_SUITE_P(Counts, SpectrumAtTheTop,
                         testing::Values(Saturation{kTop - 1, 10.0, 18.0},
                                         Saturation{kTop, 10.0, 18.0}, Saturation{kTop, 1e6, 0.0},
                                         Saturation{kTop, 0.0, 1e30}));

}  // namespace
}  // namespace linelab::fuzz
