#include "sweep/EngineChunkRunner.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "common/Tables.h"
#include "engine/RecordPorts.h"
#include "receiver/BitErrorRate.h"

namespace linelab {
namespace {

// Data bits 8..last of the run, compared as the BER stage compares them.
ChunkCounts CountRun(const RunState& s) {
    const RunErrors run = CountRunErrors(s.iRxData, s.iData, s.iCodeBaud);
    return {static_cast<uint64_t>(run.errors), static_cast<uint64_t>(run.bits), 1};
}

// A fresh engine per chunk, owned without a window. A message means the setting cannot run,
// which ends the sweep rather than counting a broken run.
class EngineChunkRunner final : public ChunkRunner {
  public:
    explicit EngineChunkRunner(const SweepSettings& settings)
        : settings_(settings), config_(ChunkConfig(settings_.config, 0)) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        auto start = std::make_unique<RunState>();
        start->dBaudRate = SymbolRate(config_.code[0], config_.format[0]);
        start->dThresholds = settings_.dThresholds;
        start->rng.Seed(request.seed);
        Engine engine(std::move(start));
        RecordPorts owner(engine);
        owner.config = config_;
        owner.config.noiseLevel = ChunkConfig(config_, request.dNoiseLevel).noiseLevel;
        owner.filterTexts = settings_.filters;
        owner.slider = settings_.vscThreshold;
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            const Frame& frame = owner.Tick();
            if (owner.messageCount > 0) throw std::runtime_error(owner.firstMessage);
            counts += CountRun(frame.Run());
        }
        return counts;
    }

  private:
    SweepSettings settings_;
    LinkConfig config_;
};

}  // namespace

std::unique_ptr<ChunkRunner> MakeEngineRunner(const SweepSettings& settings) {
    return std::make_unique<EngineChunkRunner>(settings);
}

ChunkRunnerFactory EngineRunners(const SweepSettings& settings) {
    return [settings] { return MakeEngineRunner(settings); };
}

}  // namespace linelab
