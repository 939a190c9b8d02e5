#include "sweep/EngineChunkRunner.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/Tables.h"
#include "engine/LinkReference.h"
#include "engine/RecordPorts.h"
#include "folded/FoldedRunner.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Receiver.h"
#include "receiver/Sampling.h"

namespace linelab {
namespace {

// Data bits 8..last of the run, compared as the BER stage compares them.
ChunkCounts CountRun(const RunState& s) {
    const RunErrors run = CountRunErrors(s.iRxData, s.iData, s.iCodeBaud);
    return {static_cast<uint64_t>(run.errors), static_cast<uint64_t>(run.bits), 1};
}

// An engine for one chunk (or the folded runner's design pass), owned without a window: the
// sweep's copy of the settings at the point's noise level, every panel off.
struct ChunkEngine {
    ChunkEngine(const SweepSettings& settings, double noiseLevel, uint64_t seed)
        : engine(StartState(settings, seed)), owner(engine) {
        owner.config = ChunkConfig(settings.config, noiseLevel);
        owner.filters = settings.filters;
        owner.slider = settings.thresholdSlider;
    }
    static std::unique_ptr<RunState> StartState(const SweepSettings& settings, uint64_t seed) {
        auto start = std::make_unique<RunState>();
        start->dBaudRate = SymbolRate(settings.config.code[0], settings.config.format[0]);
        start->dThresholds = settings.dThresholds;
        start->rng.Seed(seed);
        return start;
    }
    // A message means the setting cannot run, which ends the sweep rather than counting a
    // broken run.
    const RunState& Tick() {
        const Frame& frame = owner.Tick();
        if (owner.firstMessage)
            throw std::runtime_error(std::string(FaultName(*owner.firstMessage)));
        return frame.Run();
    }

    Engine engine;
    RecordPorts owner;
};

// A fresh engine per chunk, so a chunk's counts depend on its request alone.
class EngineChunkRunner final : public ChunkRunner {
  public:
    explicit EngineChunkRunner(const SweepSettings& settings) : settings_(settings) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        return Run(request, stop, nullptr);
    }

    // Also hands each run's state to `each` when given.
    std::optional<ChunkCounts> Run(const ChunkRequest& request, const StopRequested& stop,
                                   const std::function<void(const RunState&)>& each) {
        ChunkEngine chunk(settings_, request.dNoiseLevel, request.seed);
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            const RunState& s = chunk.Tick();
            counts += CountRun(s);
            if (each) each(s);
        }
        return counts;
    }

  private:
    SweepSettings settings_;
};

// Chunks by the folded runner, built from an engine's design pass for these settings on the
// first chunk; the engine runs the chunks the folded runner does not cover (unknown list
// entries, which the engine reports, and a point without noise).
class FoldedChunkRunner final : public ChunkRunner {
  public:
    explicit FoldedChunkRunner(const SweepSettings& settings)
        : settings_(settings), engineRunner_(settings) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        const double level = ChunkConfig(settings_.config, request.dNoiseLevel).noiseLevel;
        if (!FoldedCovers(settings_.config) || !(level > 0))
            return engineRunner_.Run(request, stop);
        if (!folded_) Prepare(request.dNoiseLevel);
        folded_->Reset(request.seed);
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            const FoldedRun run = folded_->Run(level, reference_);
            counts += {run.errors, run.bits, 1, 1};
        }
        return counts;
    }

    const FoldedRunner& Folded(double noiseLevel) {
        if (!folded_) Prepare(noiseLevel);
        return *folded_;
    }
    FoldedRun RunOnce(double noiseLevel) {
        return folded_->Run(ChunkConfig(settings_.config, noiseLevel).noiseLevel, reference_);
    }
    void Reset(uint64_t seed) { folded_->Reset(seed); }

  private:
    // One tick designs the responses, sets the thresholds from the slider and forms the
    // reference, as the engine's own chunks would: the folded runs then decide with the
    // engine's thresholds (midway or as set) and refer a fixed noise density to its energy.
    void Prepare(double noiseLevel) {
        ChunkEngine design(settings_, noiseLevel, 0);
        const RunState& s = design.Tick();
        const LinkConfig& used = design.engine.Config();
        reference_ = used.noiseScaling == NoiseScaling::Fixed ? used.noiseReference : 0;
        folded_ =
            std::make_unique<FoldedRunner>(ChunkConfig(settings_.config, noiseLevel), s.responses,
                                           s.dBaudRate, DecisionThresholds(s, used));
    }

    SweepSettings settings_;
    EngineChunkRunner engineRunner_;
    std::unique_ptr<FoldedRunner> folded_;
    double reference_ = 0;  // the fixed noise density's energy per slot; 0 for per-run
};

}  // namespace

Decisions DecisionsFor(const SweepSettings& settings) {
    if (settings.config.thresholdChoice != ThresholdChoice::Midway) return Decisions::AsSet;
    try {
        ChunkEngine design(settings, 0, 0);
        const RunState& s = design.Tick();
        const LinkConfig& used = design.engine.Config();
        if (used.midway) return Decisions::Midway;
        // The engine keeps only the thresholds; why there are none is in the reference.
        return ComputeLinkReference(used, s.responses, s.dBaudRate).levelsInseparable
                   ? Decisions::Inseparable
                   : Decisions::AsSet;
    } catch (const std::exception&) {
        return Decisions::AsSet;
    }
}

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
        for (int k = 0; k < kSymbols; ++k) {
            record.samples.push_back(
                samples ? (*samples)[static_cast<std::size_t>(k)]
                        : SampleSlot(s.dRxTimeData, k, settings.config.samplingOffset));
            record.sent.push_back(s.iModData[static_cast<std::size_t>(k)]);
            record.decided.push_back(s.iDemodData[static_cast<std::size_t>(k)]);
        }
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

StatEyeSetup StatEyeSetupFor(const SweepSettings& settings, double noiseLevel) {
    ChunkEngine design(settings, noiseLevel, 0);
    const RunState& s = design.Tick();
    const LinkConfig& used = design.engine.Config();
    StatEyeSetup out;
    out.config = used;
    out.responses = s.responses;
    out.dBaudRate = s.dBaudRate;
    out.thresholds = DecisionThresholds(s, used);
    out.referenceEnergy = used.noiseScaling == NoiseScaling::Fixed ? used.noiseReference : 0;
    return out;
}

}  // namespace linelab
