// The measurements beside the panels: the count behind the rate, the fast run, the taps
// that clear the eye's measurements with the eye, the Eb/N0 readout.

#include <gtest/gtest.h>

#include <set>

#include "FormTestSupport.h"
#include "analysis/BerCountText.h"
#include "analysis/BinomialInterval.h"
#include "analysis/SignalToNoise.h"
#include "ui/FastRun.h"
#include "ui/FormHost.h"
#include "ui/Measurements.h"

namespace linelab {
namespace {

using test::CanvasSet;

// A form with its panels on counting canvases and measurements between them.
struct Measured {
    explicit Measured(int scene = 6, const char* noise = "0.4",
                      std::span<const Readout> readouts = Readouts())
        : canvases(form), measures(form, readouts) {
        EXPECT_TRUE(form.ApplyScene(scene));
        if (noise != nullptr) {
            EXPECT_TRUE(form.SetText("cmbNoise", noise));
        }
        std::array<Canvas*, CountOf<PictureId>()> panels{};
        for (std::size_t i = 0; i < panels.size(); ++i)
            panels[i] = &canvases.canvases[i];
        measures.Attach(panels);
    }
    Form1 form;
    CanvasSet canvases;
    Measurements measures;
};

TEST(BerCounts, CountTheRateAndRestartWithIt) {
    Measured m;
    for (int i = 0; i < 40; ++i)
        m.measures.Tick();
    const RunState& s = m.form.State();
    const BerCounts& counts = m.measures.Counts();
    ASSERT_GT(counts.Errors(), 0u);
    // Every run compares the same number of bits, so the mean of the runs' rates is the
    // ratio of the totals.
    EXPECT_EQ(counts.Bits(), 40u * 112u);
    EXPECT_NEAR(static_cast<double>(counts.Errors()) / counts.Bits(), s.dBER, 1e-12);

    m.form.ClickBer();
    m.measures.Tick();
    EXPECT_EQ(counts.Bits(), 112u);
    EXPECT_NEAR(static_cast<double>(counts.Errors()) / 112.0, s.dBER, 1e-12);
    // A change that restarts the rate restarts the count too.
    for (int i = 0; i < 5; ++i)
        m.measures.Tick();
    ASSERT_TRUE(m.form.SetValue("hscSample", 3));
    m.measures.Tick();
    EXPECT_EQ(counts.Bits(), 112u);
    ASSERT_EQ(counts.Blocks().size(), 1u);  // the blocks restart with the rate
    EXPECT_EQ(counts.Blocks()[0].bits, 112u);
}

// However many runs, at most kMaxBlocks blocks of equal runs (all but the last full) that
// add up to the totals.
TEST(BerCounts, BlocksMergeAndStayBounded) {
    BerCounts counts;
    for (uint64_t run = 0; run < 100000; ++run) {
        counts.AddRun(run % 3, 100);
        const auto blocks = counts.Blocks();
        ASSERT_LE(blocks.size(), BerCounts::kMaxBlocks);
        if (run + 1 >= BerCounts::kMaxBlocks) {
            ASSERT_GE(blocks.size(), BerCounts::kMaxBlocks / 2);
        }
        ASSERT_EQ(blocks.front().bits, 100 * counts.RunsPerBlock());
    }
    uint64_t errors = 0, bits = 0;
    for (const BlockCounts& b : counts.Blocks()) {
        errors += b.errors;
        bits += b.bits;
    }
    EXPECT_EQ(errors, counts.Errors());
    EXPECT_EQ(bits, counts.Bits());
    EXPECT_EQ(bits, 100u * 100000u);
    counts.Restart();
    EXPECT_TRUE(counts.Blocks().empty());
    EXPECT_EQ(counts.Interval().method, IntervalMethod::Exact);
}

// 4B5B + NRZI turns one wrong decision into several wrong bits of a run, so its runs vary
// more than independent bits would: the blocks' interval is clearly wider than the exact
// one. Polar NRZ's errors are independent and its two intervals about agree.
double WidthOverExact(const char* format, const char* code, const char* noise) {
    Measured m(6, noise);
    EXPECT_TRUE(m.form.SetText("cmbMod(0)", format));
    EXPECT_TRUE(m.form.SetText("cmbCode(0)", code));
    EXPECT_TRUE(m.form.SetText("cmbTxFilter(0)", "Root RC"));
    EXPECT_TRUE(m.form.SetText("cmbTxFilter(1)", "Matched"));
    for (int i = 0; i < 400; ++i)
        m.measures.Tick();
    const BerCounts& counts = m.measures.Counts();
    const RateInterval blocks = counts.Interval();
    const BinomialInterval exact = ClopperPearson(counts.Errors(), counts.Bits());
    EXPECT_EQ(blocks.method, IntervalMethod::Blocks) << code;
    EXPECT_GT(counts.Errors(), 50u) << code;
    return (blocks.interval.dHigh - blocks.interval.dLow) / (exact.dHigh - exact.dLow);
}

TEST(BerCounts, BlocksWidenTheIntervalWhereErrorsCluster) {
    // Eb/N0 6 dB for each: 4B5B's 1.2 symbols per bit and 5/4 symbols per data bit.
    EXPECT_GT(WidthOverExact("Polar (N)RZ", "4B5B + NRZI", "0.218"), 1.3);
    EXPECT_LT(WidthOverExact("Polar (N)RZ", "None", "0.251"), 1.3);
}

TEST(FastRun, KeepsTheCountsOfTheSameRunsMadeOneAtATime) {
    Measured slow;
    Measured fast;
    slow.measures.SetDensity(true);
    fast.measures.SetDensity(true);
    using Clock = FastRun::Clock;
    Clock::time_point now{};
    FastRun run(fast.form, fast.measures, [&now] { return now += std::chrono::milliseconds(1); });
    fast.canvases.Reset();
    int drawnSlices = 0;
    while (run.Runs() < 300)
        drawnSlices += run.Slice(300 - run.Runs()) ? 1 : 0;
    for (int i = 0; i < 300; ++i)
        slow.measures.Tick();

    const RunState& a = slow.form.State();
    const RunState& b = fast.form.State();
    EXPECT_EQ(a.lBERRuns, b.lBERRuns);
    EXPECT_EQ(a.dBER, b.dBER);
    EXPECT_GT(b.dBER, 0);
    EXPECT_EQ(slow.measures.Counts().Errors(), fast.measures.Counts().Errors());
    EXPECT_EQ(slow.measures.Counts().Bits(), fast.measures.Counts().Bits());
    EXPECT_EQ(slow.form.Views().lRxSpectra, fast.form.Views().lRxSpectra);
    EXPECT_EQ(slow.form.Views().dRxSpectrumAvg, fast.form.Views().dRxSpectrumAvg);
    const EyeFigures ea = slow.measures.RxEyeFigures();
    const EyeFigures eb = fast.measures.RxEyeFigures();
    EXPECT_EQ(ea.dQ, eb.dQ);
    for (int eye = 0; eye < kEyePanels; ++eye) {
        const auto ca = slow.measures.DensityOf(eye).Counts();
        const auto cb = fast.measures.DensityOf(eye).Counts();
        EXPECT_TRUE(std::equal(ca.begin(), ca.end(), cb.begin(), cb.end())) << eye;
    }
    EXPECT_GT(slow.measures.DensityOf(2).MaxCount(), 0u);

    // Slices of 8 ms at 1 ms a run, a repaint due every 50 ms: some runs drawn, most quiet.
    EXPECT_GT(drawnSlices, 2);
    EXPECT_LE(drawnSlices, 300 / 50 + 1);
    const int strip = fast.canvases[PictureId::picRxData].lines;
    EXPECT_GT(strip, 0);
    EXPECT_LT(strip * 20, slow.canvases[PictureId::picRxData].lines);
}

// Each run takes 3 ms of the fake clock: a slice hands the event loop back after its 8 ms
// and at most one run more, and only the first slice of a repaint period is drawn.
TEST(FastRun, SlicesStayShortAndRepaintsStayRare) {
    Measured m;
    FastRun run(m.form, m.measures, [&m] {
        return FastRun::Clock::time_point(std::chrono::milliseconds(3 * m.form.State().lBERRuns));
    });
    EXPECT_TRUE(run.Slice());
    EXPECT_EQ(run.Runs(), 4u);  // starts at 0, 3, 6 ms; the one at 9 ms ends the slice
    int drawn = 0;
    for (int i = 0; i < 10; ++i)
        drawn += run.Slice() ? 1 : 0;
    EXPECT_EQ(run.Runs(), 44u);
    EXPECT_EQ(drawn, 2);  // 120 ms more: at 60 and 108 ms (each 50 ms after the last)
}

TEST(FastRun, StopsWhenTheTimerStops) {
    Measured m;
    FastRun run(m.form, m.measures);
    m.form.ClickPause();  // "Pause": the timer stops
    ASSERT_FALSE(m.form.Timer().enabled);
    EXPECT_FALSE(run.Slice());
    EXPECT_EQ(run.Runs(), 0u);
}

TEST(Measurements, EyeFiguresAndDensityClearWithTheirPanel) {
    Measured m;
    m.measures.SetDensity(true);
    for (int i = 0; i < 10; ++i)
        m.measures.Tick();
    EXPECT_EQ(m.measures.RxEyeRuns(), 10u);
    EXPECT_EQ(m.measures.RxEyeFigures().levels.size(), 2u);
    ASSERT_GT(m.measures.DensityOf(2).MaxCount(), 0u);
    const uint32_t channelHits = m.measures.DensityOf(1).MaxCount();

    m.form.ClickPicture(PictureId::picRxEye);
    EXPECT_EQ(m.measures.RxEyeRuns(), 0u);
    EXPECT_TRUE(m.measures.RxEyeFigures().levels.empty());
    EXPECT_EQ(m.measures.DensityOf(2).MaxCount(), 0u);
    EXPECT_EQ(m.measures.DensityOf(1).MaxCount(), channelHits);  // the others stay

    // A panel switched off draws nothing, densities included, but the opening is measured
    // from every run's received waveform all the same.
    ASSERT_TRUE(m.form.SetValue("chkRxEye", 0));
    m.measures.Tick();
    m.measures.Tick();
    EXPECT_EQ(m.measures.RxEyeRuns(), 2u);
    EXPECT_EQ(m.measures.RxEyeFigures().levels.size(), 2u);
    EXPECT_EQ(m.measures.DensityOf(2).MaxCount(), 0u);
}

TEST(Measurements, DensityCountsTracesNotMarkers) {
    Measured m(6, nullptr);  // no noise: every trace of a level lies on the same pixels
    m.measures.SetDensity(true);
    m.measures.Tick();
    const DensityEye& rx = m.measures.DensityOf(2);
    // The sampling instant's marker would fill a whole column; the traces of a noiseless
    // eye pass the sampling instant at two heights only, and no column is full.
    int fullest = 0;
    for (int x = 0; x < rx.Width(); ++x) {
        int rows = 0;
        for (int y = 0; y < rx.Height(); ++y)
            rows += rx.Counts()[static_cast<std::size_t>(y * rx.Width() + x)] > 0 ? 1 : 0;
        fullest = std::max(fullest, rows);
    }
    EXPECT_LT(fullest, rx.Height() * 3 / 4);
    EXPECT_GT(rx.MaxCount(), 0u);
}

// HDB3's decoder clears a mark three slots back on a false violation, so a wrong decision
// costs about two data bits: the eye's prediction counts them, and meets the measured rate
// at 10 dB (the code bits alone would predict half of it).
TEST(Measurements, EyePredictsTheRateAfterDecoding) {
    Measured m(5, "0.1");
    ASSERT_TRUE(m.form.SetText("cmbMod(0)", "HDB3"));
    ASSERT_TRUE(m.form.SetText("cmbTxFilter(0)", "Root RC"));
    ASSERT_TRUE(m.form.SetText("cmbTxFilter(1)", "Matched"));
    ASSERT_TRUE(m.form.SetValue("chkFixedNoise", 1));
    const double dB = SignalToNoiseOf(LinkConfigOf(m.form))->dEbN0dB;
    ASSERT_TRUE(m.form.SetText("cmbNoise", std::to_string(0.1 * std::pow(10.0, (dB - 10) / 10))));
    for (int i = 0; i < 600; ++i)
        m.measures.Tick();
    const BerCounts& counts = m.measures.Counts();
    ASSERT_GT(counts.Errors(), 150u);
    const double measured = static_cast<double>(counts.Errors()) / counts.Bits();
    EXPECT_NEAR(m.measures.RxEyeFigures().dPredictedBer / measured, 1.0, 0.25);
}

TEST(Measurements, EbN0ShownOnlyWhereNoiseIsApplied) {
    Form1 form;
    EXPECT_EQ(EbN0Text(form), "no noise");  // start-up: the noise box is hidden
    ASSERT_TRUE(form.ApplyScene(6));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.1"));
    // Polar NRZ at one symbol per bit: Eb/N0 = 1 / (N rate^2) = 10, that is 10 dB.
    EXPECT_EQ(EbN0Text(form), "Eb/N0 10.0 dB");
    ASSERT_TRUE(form.SetText("cmbNoise", "None"));
    EXPECT_EQ(EbN0Text(form), "no noise");
    ASSERT_TRUE(form.SetText("cmbNoise", "0.1"));
    ASSERT_TRUE(form.ApplyScene(4));  // box hidden again: its level no longer applies
    EXPECT_EQ(EbN0Text(form), "no noise");
}

// Both front ends place a readout by its anchor and name its element after it.
TEST(Readouts, EachStandsUnderAControlWithANameOfItsOwn) {
    std::set<std::string_view> names;
    for (const Readout& r : Readouts()) {
        EXPECT_TRUE(FindControl(r.anchor).has_value()) << r.name;
        EXPECT_FALSE(FindControl(r.name).has_value()) << r.name;
        EXPECT_TRUE(names.insert(r.name).second) << r.name;  // no other row has its name
        EXPECT_EQ(r.look == ReadoutLook::Line, !r.widest.empty()) << r.name;
    }
}

// A readout shows while its control does (the eye's figures only when asked for), and a
// hidden one shows no text.
TEST(Readouts, ShowWithTheirControls) {
    Measured m(6, "0.1");
    m.measures.Tick();
    const auto shown = [&m](bool eyeOpening) {
        std::string flags;
        for (const ReadoutText& r : m.measures.ReadReadouts(eyeOpening)) {
            flags += r.shown ? '1' : '0';
            EXPECT_EQ(r.text.empty(), !r.shown) << r.text;
            EXPECT_FALSE(r.detail.empty());
        }
        return flags;
    };
    EXPECT_EQ(shown(false), "110");
    EXPECT_EQ(shown(true), "111");
    const std::vector<ReadoutText> texts = m.measures.ReadReadouts(true);
    EXPECT_EQ(texts[0].text, "Eb/N0 10.0 dB");
    const BerCounts& counts = m.measures.Counts();
    std::string count = BerCountLine(counts.Errors(), counts.Bits(), counts.Interval());
    EXPECT_EQ(texts[1].text, count.replace(count.find(", "), 2, ",\n"));
    EXPECT_EQ(texts[2].text, EyeOpeningText(m.measures.RxEyeFigures()));
    ASSERT_TRUE(m.form.ApplyScene(0));  // no noise box, no BER caption, no receive eye
    EXPECT_EQ(shown(true), "000");
}

// A row's tally is fed every run the tick completes, quiet or drawn, and read by its row.
TEST(Readouts, TalliesSeeEveryRun) {
    struct Runs final : ReadoutTally {
        int runs = 0;
        void AfterRun(const Frame&) override { ++runs; }
    };
    static constexpr Readout kTable[] = {
        {"lblRuns",
         "lblBER",
         ReadoutLook::Count,
         {},
         [](const ReadoutSource& s) {
             return ReadoutText{true, std::to_string(static_cast<const Runs*>(s.tally)->runs),
                                "runs"};
         },
         []() -> std::unique_ptr<ReadoutTally> { return std::make_unique<Runs>(); }}};
    Measured m(6, "0.1", kTable);
    m.measures.Tick();
    m.measures.Tick(true);
    EXPECT_EQ(m.measures.ReadReadouts(false).at(0).text, "2");
}

TEST(Measurements, EyeOpeningTextNamesEveryGap) {
    EXPECT_EQ(EyeOpeningText(EyeFigures{}), "Eye opening: waiting for two levels");
    EyeFigures figures;
    figures.gaps = {{0, 0.5, 0.62, 4.0}, {0.8, 0.25, 0.3, 2.0}};
    figures.dQ = 2.0;
    figures.dPredictedBer = 0.0228;
    EXPECT_EQ(EyeOpeningText(figures),
              "Eye opening\ngap 1: height 0.5, width 0.62 T, Q 4\n"
              "gap 2: height 0.25, width 0.30 T, Q 2\nQ 2 predicts BER 0.023");
}

}  // namespace
}  // namespace linelab
