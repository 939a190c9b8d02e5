#pragma once
// The transmit-filter and channel stages as their panels show them: the spectra at the
// transmit-filter output and at the channel output, and their waveforms. Only pictures read
// them (the received waveform comes from the single product with the total response), so a
// tick does not form them: the views do, after the tick, from the run's impulse spectrum and
// responses, for the panels the frame fed.

#include <cstdint>
#include <memory>

#include "common/RunState.h"
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

// The stages as last formed. Those the views form themselves live on the heap from the first
// time one is (a sweep's views never form any); copies are deep.
class StageProducts {
  public:
    StageProducts() = default;
    StageProducts(const StageProducts& other);
    StageProducts& operator=(const StageProducts& other);
    StageProducts(StageProducts&&) noexcept = default;
    StageProducts& operator=(StageProducts&&) noexcept = default;
    ~StageProducts() = default;

    // Forms what `request` asks of the frame's run; a channel stage asks for the transmit
    // spectrum it comes from. When the run formed its transmit stage itself
    // (frame.txWaveformFormed), that stage is read where the run keeps it, bit for bit what
    // forming it here would give, so nothing is formed twice. Otherwise dTxTimeData takes
    // the copy of dTxFilterSpectrum in the same pass and is transformed when the waveform is
    // asked for. A stage not asked for keeps what it held.
    void Form(const Frame& frame, StageRequest request);

    // The stages, all zero until one is formed. The transmit stage read from a run is valid
    // while that run state lives and follows it: the views read it for the frame they took.
    const Signal& TxFilterSpectrum() const;
    const Signal& TxTimeData() const;
    const Signal& ChannelSpectrum() const;
    const Signal& ChannelTimeData() const;

  private:
    const StageSignals& Own() const;
    StageSignals& OwnToForm();

    std::unique_ptr<StageSignals> own_;
    const RunState* txRun_ = nullptr;  // the run whose own transmit stage is shown, if any
};

}  // namespace linelab
