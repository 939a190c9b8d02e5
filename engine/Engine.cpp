#include "engine/Engine.h"

#include <algorithm>

#include "common/Colours.h"
#include "common/TextNumber.h"
#include "receiver/FilterChain.h"
#include "receiver/Receiver.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

void DrawBitStrip(Panels& panels, StripPanel panel, int16_t iBaud, const Bits& bits) {
    panels.DrawStrip(panel, 16, iBaud, bits, bits, kBlue, 0, 1);
}

void DrawModulatedStrip(Panels& panels, const RunState& s, bool pam4) {
    if (pam4) {
        panels.DrawStrip(StripPanel::ModData, s.iTxDutyCycle, CInt(s.iCodeBaud / 2.0), s.iModData,
                         s.iModData, kBlue, -3, 3);
    } else {
        panels.DrawStrip(StripPanel::ModData, s.iTxDutyCycle, s.iCodeBaud, s.iModData, s.iModData,
                         kBlue, -1, 1);
    }
}

}  // namespace

Engine::Engine() : state_(std::make_unique<RunState>()) {}

Engine::Engine(std::unique_ptr<RunState> start)
    : state_(start != nullptr ? std::move(start) : std::make_unique<RunState>()) {}

void Engine::Tick(const TickPorts& ports) {
    RunState& s = *state_;
    if (!s.bFiltersValid) {
        DesignFilters(ports.filters, s.dBaudRate, s.responses, &ports.reporter);
        s.bFiltersValid = true;
    }
    // Read after the design pass: its write-backs may have changed texts and lists.
    ports.settings.ReadSettings(settings_);
    const Settings& st = settings_;
    Panels& panels = ports.panels;

    GenerateData(FindDataSource(st.cmbData), s.rng, s.iData);
    if (st.chkData) DrawBitStrip(panels, StripPanel::Data, 12, s.iData);

    PreCode(FindPreCoding(st.cmbPreCode[0]), s);
    if (st.chkPreData) DrawBitStrip(panels, StripPanel::PreData, 12, s.iPreData);

    const auto format = FindFormat(st.cmbMod[0]);
    const bool pam4 = format == Format::Pam4;
    const auto code = FindLineCode(st.cmbCode[0]);
    LineCode(code, pam4, s);
    if (!code) ports.reporter.Report("Unknown Modulation Type", true);
    if (st.chkCodedData) DrawBitStrip(panels, StripPanel::CodedData, s.iCodeBaud, s.iCodedData);

    const LevelMap levels = MapLevels(format, st.cmbTxModPC[0], s.iCodedData, s.iModData);
    s.iTxDutyCycle = levels.iTxDutyCycle;
    s.dScale = levels.dScale;
    if (!format) ports.reporter.Report("Unknown cmbMod(0) Option", true);
    if (st.chkModData) DrawModulatedStrip(panels, s, pam4);

    BuildPulseTrain(s, s.dScale, &ports.reporter);
    ReceiveHalf(s, st, ports);
}

void Engine::InvalidateResponses() {
    state_->bFiltersValid = false;
}

void Engine::SetSymbolRate(double dBaudRate) {
    state_->dBaudRate = dBaudRate;
}

void Engine::RestartCounters(int index) {
    if (index == 0) RestartSpectrum(SpectrumPanel::Tx);
    if (index == 1) {
        RestartSpectrum(SpectrumPanel::Rx);
        RestartSpectrum(SpectrumPanel::Channel);
    }
    RestartBer();
}

void Engine::RestartSpectrum(SpectrumPanel panel) {
    RunState& s = *state_;
    switch (panel) {
        case SpectrumPanel::Tx:
            s.lTxSpectra = 0;
            break;
        case SpectrumPanel::Channel:
            s.lChannelSpectra = 0;
            break;
        case SpectrumPanel::Rx:
            s.lRxSpectra = 0;
            break;
    }
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

void Engine::ApplyThresholdSlider(ControlWriter& controls, Reporter& reporter) {
    SetThresholds(*state_, controls, reporter);
}

void Engine::SetTxEyeScale(int vscTxEyeScale) {
    state_->dTxEyeScale = TxEyeScale(vscTxEyeScale);
}

void Engine::EmptyMemoryTrace() {
    std::fill_n(state_->dMemorySpectrum.begin(), 1024, 0.0);
}

void Engine::SeedGenerator(uint64_t seed) {
    state_->rng.Seed(seed);
}

}  // namespace linelab
