#include "sweep/EngineChunkRunner.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "folded/FoldedRunner.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Noise.h"
#include "receiver/Sampling.h"

namespace linelab {
namespace {

// The tick's owner for a sweep: the settings copy, write-backs kept in the copy (the design
// pass reads its rounded texts back), no panels, and the first message kept: a message
// means the setting cannot run, which ends the sweep rather than counting a broken run.
class SweepHost final : public SettingsSource,
                        public FilterSettings,
                        public ControlWriter,
                        public Reporter {
  public:
    SweepHost(const SweepSettings& s) : base_(s) {}

    void Prepare(double noiseLevel) {
        settings_ = ChunkSettings(base_.settings, noiseLevel);
        filters_ = base_.filters;
        slider_ = base_.vscThreshold;
        message_.clear();
    }
    const std::string& Message() const { return message_; }
    TickPorts Ports() { return {*this, *this, *this, panels_, *this}; }

    void ReadSettings(Settings& out) override { out = settings_; }
    int ThresholdSlider() override { return slider_; }
    void SetThresholdSlider(int value) override { slider_ = value; }
    void SetBerCaption(std::string_view) override {}
    void ReadFilterTexts(FilterTexts& out) override { out = filters_; }
    void WriteFilterText(FilterBox box, int side, std::string_view text) override {
        SideFilterTexts& t = filters_.side[static_cast<std::size_t>(side & 1)];
        std::string& target = box == FilterBox::ModPC ? t.modPC
                              : box == FilterBox::BW  ? t.bw
                                                      : t.eb;
        target = text;
    }
    void Report(std::string_view message, bool) override {
        if (message_.empty()) message_ = message;
    }

  private:
    const SweepSettings& base_;
    Settings settings_;
    FilterTexts filters_;
    int slider_ = 0;
    std::string message_;
    NullPanels panels_;
};

// Data bits 8..last of the run compared as the BER stage compares them.
ChunkCounts CountRun(const RunState& s) {
    const int last = LastComparedBit(s.iCodeBaud);
    ChunkCounts counts{0, 0, 1};
    for (int k = 8; k <= last; ++k)
        counts.errors += s.iRxData[k] != s.iData[k] ? 1 : 0;
    counts.bits = static_cast<uint64_t>(last - 7);
    return counts;
}

class EngineChunkRunner final : public ChunkRunner {
  public:
    explicit EngineChunkRunner(const SweepSettings& settings)
        : settings_(settings), host_(settings_) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        return Run(request, stop, nullptr);
    }

    // Also hands each run's state to `each` when given.
    std::optional<ChunkCounts> Run(const ChunkRequest& request, const StopRequested& stop,
                                   const std::function<void(const RunState&)>& each) {
        host_.Prepare(request.dNoiseLevel);
        const Settings& st = settings_.settings;
        auto start = std::make_unique<RunState>();
        start->dBaudRate = SymbolRate(st.cmbCode[0], st.cmbMod[0]);
        start->dThresholds = settings_.dThresholds;
        start->rng.Seed(request.seed);
        Engine engine(std::move(start));
        const RunState& s = engine.State();
        const TickPorts ports = host_.Ports();
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            engine.Tick(ports);
            if (!host_.Message().empty()) throw std::runtime_error(host_.Message());
            counts += CountRun(s);
            if (each) each(s);
        }
        return counts;
    }

  private:
    SweepSettings settings_;
    SweepHost host_;
};

// Chunks by the folded runner, built from an engine's design pass for these settings on the
// first chunk; the engine runs the chunks the folded runner does not cover (unknown list
// entries, which the engine reports, and a point without noise).
class FoldedChunkRunner final : public ChunkRunner {
  public:
    explicit FoldedChunkRunner(const SweepSettings& settings)
        : settings_(settings), engineRunner_(settings), host_(settings_) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        const double level = NoiseLevel(ChunkSettings(settings_.settings, request.dNoiseLevel));
        if (!FoldedCovers(settings_.settings) || !(level > 0))
            return engineRunner_.Run(request, stop);
        if (!folded_) Prepare(request.dNoiseLevel);
        folded_->Reset(request.seed);
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            const FoldedRun run = folded_->Run(level);
            counts += {run.errors, run.bits, 1, 1};
        }
        return counts;
    }

    const FoldedRunner& Folded(double noiseLevel) {
        if (!folded_) Prepare(noiseLevel);
        return *folded_;
    }
    FoldedRun RunOnce(double noiseLevel) {
        return folded_->Run(NoiseLevel(ChunkSettings(settings_.settings, noiseLevel)));
    }
    void Reset(uint64_t seed) { folded_->Reset(seed); }

  private:
    void Prepare(double noiseLevel) {
        host_.Prepare(noiseLevel);
        const Settings& st = settings_.settings;
        auto start = std::make_unique<RunState>();
        start->dBaudRate = SymbolRate(st.cmbCode[0], st.cmbMod[0]);
        start->dThresholds = settings_.dThresholds;
        Engine engine(std::move(start));
        engine.Tick(host_.Ports());
        if (!host_.Message().empty()) throw std::runtime_error(host_.Message());
        const RunState& s = engine.State();
        folded_ = std::make_unique<FoldedRunner>(ChunkSettings(st, noiseLevel), s.responses,
                                                 s.dBaudRate, s.dThresholds);
    }

    SweepSettings settings_;
    EngineChunkRunner engineRunner_;
    SweepHost host_;
    std::unique_ptr<FoldedRunner> folded_;
};

}  // namespace

std::unique_ptr<ChunkRunner> MakeSweepRunner(const SweepSettings& settings, SweepRunner kind) {
    if (kind == SweepRunner::Engine) return MakeEngineRunner(settings);
    return std::make_unique<FoldedChunkRunner>(settings);
}

ChunkRunnerFactory SweepRunners(const SweepSettings& settings, SweepRunner kind) {
    return [settings, kind] { return MakeSweepRunner(settings, kind); };
}

std::unique_ptr<ChunkRunner> MakeEngineRunner(const SweepSettings& settings) {
    return std::make_unique<EngineChunkRunner>(settings);
}

ChunkRunnerFactory EngineRunners(const SweepSettings& settings) {
    return [settings] { return MakeEngineRunner(settings); };
}

DecisionRecord RecordDecisions(const SweepSettings& settings, SweepRunner kind, double noiseLevel,
                               uint64_t seed, int runs) {
    DecisionRecord record;
    auto keep = [&](const RunState& s, const std::array<double, kSymbols>* samples) {
        const ChunkCounts c = CountRun(s);
        record.errors.push_back(c.errors);
        record.bits += c.bits;
        for (int k = 0; k < kSymbols; ++k)
            record.samples.push_back(
                samples ? (*samples)[static_cast<std::size_t>(k)]
                        : SampleSlot(s.dRxTimeData, k, settings.settings.hscSample));
    };
    if (kind == SweepRunner::Engine) {
        EngineChunkRunner runner(settings);
        int left = runs;
        runner.Run(
            {noiseLevel, seed, ~uint64_t{0}}, [&] { return left <= 0; },
            [&](const RunState& s) {
                keep(s, nullptr);
                --left;
            });
        return record;
    }
    FoldedChunkRunner runner(settings);
    const FoldedRunner& folded = runner.Folded(noiseLevel);
    runner.Reset(seed);
    for (int r = 0; r < runs; ++r) {
        runner.RunOnce(noiseLevel);
        keep(folded.State(), &folded.Samples());
    }
    return record;
}

}  // namespace linelab
