#pragma once
// The transmit-filter and channel stages as their panels show them: the spectra at the
// transmit-filter output and at the channel output, and their waveforms. Only pictures read
// them (the received waveform comes from the single product with the total response), so a
// tick does not form them: the views do, after the tick, from the run's impulse spectrum and
// responses, for the panels the frame fed.

#include <cstdint>
#include <memory>

#include "common/Signal.h"
#include "ports/Frame.h"

namespace linelab {

struct StageSignals {
    alignas(64) Signal dTxFilterSpectrum{};  // dTxResponse x dTxImpulses
    alignas(64) Signal dTxTimeData{};        // its copy, transformed into the waveform if asked
    alignas(64) Signal dChannelSpectrum{};   // dChannelResponse x dTxFilterSpectrum
    alignas(64) Signal dChannelTimeData{};   // its copy, transformed into the waveform
};

// How far a stage is formed: not at all, its spectrum, or its spectrum and its waveform.
enum class StageForm : uint8_t { None, Spectrum, Waveform };

struct StageRequest {
    StageForm tx = StageForm::None;
    StageForm channel = StageForm::None;
};

// What the panels `fed` read: a transmit eye the transmit waveform, the transmit spectrum
// its spectrum; a channel eye the channel waveform, the channel spectrum its spectrum.
StageRequest PanelRequest(const ShownPanels& fed);

// The stages as last formed. They live on the heap from the first time one is formed (a
// sweep's views never form any); copies are deep.
class StageProducts {
  public:
    StageProducts() = default;
    StageProducts(const StageProducts& other);
    StageProducts& operator=(const StageProducts& other);
    StageProducts(StageProducts&&) noexcept = default;
    StageProducts& operator=(StageProducts&&) noexcept = default;
    ~StageProducts() = default;

    // Forms what `request` asks of the frame's run; a channel stage asks for the transmit
    // spectrum it comes from. dTxTimeData takes the copy of dTxFilterSpectrum in the same
    // pass and is transformed when the waveform is asked for -- unless the run formed that
    // waveform itself (frame.txWaveformFormed), which is then copied, bit for bit what the
    // transform would give, so no transform is done twice. A stage not asked for keeps what
    // it held.
    void Form(const Frame& frame, StageRequest request);

    // All zero until a stage is formed.
    const StageSignals& Signals() const;

  private:
    std::unique_ptr<StageSignals> signals_;
};

}  // namespace linelab
