#include "engine/Engine.h"

#include <algorithm>

#include "dsp/DesignFilters.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Receiver.h"
#include "transmit/Transmit.h"

namespace linelab {

Engine::Engine() : state_(std::make_unique<RunState>()) {}

Engine::Engine(std::unique_ptr<RunState> start)
    : state_(start != nullptr ? std::move(start) : std::make_unique<RunState>()) {}

const Frame& Engine::Tick(const TickInputs& in) {
    RunState& s = *state_;
    log_.messages.clear();
    const bool design = !s.bFiltersValid;
    if (design) {
        DesignFilters(in.filters, s.dBaudRate, s.responses, &log_);
        s.bFiltersValid = true;
        ++designs_;
    }
    config_ = in.config;
    FillReference();
    const LinkConfig& c = config_;

    TransmitLevels(c, s);
    // In the order the stages meet them: the line code's, then the mapping's.
    if (!c.code[0]) log_.Report(Fault::UnknownLineCode);
    if (!c.format[0]) log_.Report(Fault::UnknownMapping);
    const int16_t iTxCodeBaud = s.iCodeBaud;

    BuildPulseTrain(s, s.dScale, &log_);
    FormReceivedWaveform(s, c, log_);
    const std::size_t messagesBeforeSlider = log_.messages.size();
    const ReceivedRun run = DecideAndDecode(s, c, in.thresholdSlider, log_);

    frame_ = FrameOf(s, c, iTxCodeBaud);
    frame_.dThresholds = DecisionThresholds(s, c);
    frame_.designed = design;
    frame_.thresholdSlider = run.thresholdSlider;
    frame_.moveThresholdSlider = run.thresholdSlider != in.thresholdSlider;
    frame_.messages = log_.messages;
    frame_.messagesBeforeSlider = messagesBeforeSlider;
    frame_.runErrors = run.errors.errors;
    frame_.runBits = run.errors.bits;
    return frame_;
}

const Frame& Engine::AccumulateBer() {
    if (frame_.run == nullptr || frame_.berCounted) return frame_;
    RunState& s = *state_;
    frame_.berRestarted = s.lBERRuns == 0;
    linelab::AccumulateBer(s, static_cast<double>(frame_.runErrors) / frame_.runBits);
    frame_.berCounted = true;
    return frame_;
}

// Formed only when a choice needs it and again only when the settings or responses change:
// a millisecond or two, nearly all of it the midway levels' runs (the energy is in closed
// form, its data part kept per transmit setting).
void Engine::FillReference() {
    LinkConfig& c = config_;
    const bool needed =
        c.noiseScaling == NoiseScaling::Fixed || c.thresholdChoice == ThresholdChoice::Midway;
    if (!needed) return;
    const LinkReferenceKey key = ReferenceKeyOf(c);
    if (!referenceKey_ || !(*referenceKey_ == key) || referenceDesign_ != designs_) {
        reference_ = ComputeLinkReference(c, state_->responses, state_->dBaudRate);
        referenceKey_ = key;
        referenceDesign_ = designs_;
    }
    c.noiseReference = reference_.energyPerSlot;
    c.midway = reference_.midway;
}

void Engine::InvalidateResponses() {
    state_->bFiltersValid = false;
}

void Engine::SetSymbolRate(double dBaudRate) {
    state_->dBaudRate = dBaudRate;
}

void Engine::RestartBer() {
    state_->lBERRuns = 0;
}

int Engine::LoadDefaultThresholds(std::optional<Format> receiverFormat) {
    Thresholds& t = state_->dThresholds;
    if (receiverFormat) {
        const auto& defaults = DefaultThresholds(*receiverFormat);
        std::copy(defaults.begin(), defaults.end(), t.begin());
    }
    return ThresholdSliderFor(t[0]);
}

int Engine::ApplyThresholdSlider(int slider, Reporter& reporter) {
    return SetThresholds(*state_, slider, reporter);
}

void Engine::SeedGenerator(uint64_t seed) {
    state_->rng.Seed(seed);
}

}  // namespace linelab
