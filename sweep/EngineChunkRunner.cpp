#include "sweep/EngineChunkRunner.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "common/Tables.h"
#include "engine/Engine.h"
#include "receiver/BitErrorRate.h"

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
        }
        return counts;
    }

  private:
    SweepSettings settings_;
    SweepHost host_;
};

}  // namespace

std::unique_ptr<ChunkRunner> MakeEngineRunner(const SweepSettings& settings) {
    return std::make_unique<EngineChunkRunner>(settings);
}

ChunkRunnerFactory EngineRunners(const SweepSettings& settings) {
    return [settings] { return MakeEngineRunner(settings); };
}

}  // namespace linelab
