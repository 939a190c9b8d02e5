#include "display/StageProducts.h"

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"

namespace linelab {
namespace {

const StageSignals& NoStages() {
    static const StageSignals none{};
    return none;
}

// Forms a stage from spectrum x through response h: the spectrum, its copy in the same pass,
// and the copy transformed when the waveform is asked for.
void FormStage(const Signal& h, const Signal& x, StageForm form, Signal& spectrum,
               Signal& timeData) {
    if (form == StageForm::None) return;
    if (form == StageForm::Spectrum) {
        ComplexProduct(h, x, spectrum);
        return;
    }
    ComplexProductWithCopy(h, x, spectrum, timeData);
    FFT(timeData, kPoints, true, false);
}

}  // namespace

StageRequest PanelRequest(const ShownPanels& fed) {
    StageRequest r;
    if (fed[PanelId::ChannelEye]) {
        r.channel = StageForm::Waveform;
    } else if (fed[PanelId::ChannelSpectrum]) {
        r.channel = StageForm::Spectrum;
    }
    if (fed[PanelId::TxEye]) {
        r.tx = StageForm::Waveform;
    } else if (fed[PanelId::TxSpectrum]) {
        r.tx = StageForm::Spectrum;
    }
    return r;
}

StageProducts::StageProducts(const StageProducts& other)
    : signals_(other.signals_ ? std::make_unique<StageSignals>(*other.signals_) : nullptr) {}

StageProducts& StageProducts::operator=(const StageProducts& other) {
    if (this != &other) {
        signals_ = other.signals_ ? std::make_unique<StageSignals>(*other.signals_) : nullptr;
    }
    return *this;
}

const StageSignals& StageProducts::Signals() const {
    return signals_ ? *signals_ : NoStages();
}

void StageProducts::Form(const Frame& f, StageRequest r) {
    if (f.run == nullptr) return;
    if (r.tx == StageForm::None && r.channel == StageForm::None) return;
    if (!signals_) signals_ = std::make_unique<StageSignals>();
    StageSignals& out = *signals_;
    const RunState& s = f.Run();
    const Responses& h = s.responses;
    // dTxTimeData takes the transmit spectrum's copy whenever that is formed (the starting
    // point of the waveform, and what the run state has always recorded beside it).
    if (f.txWaveformFormed) {
        ComplexProduct(h.dTxResponse, s.dTxImpulses, out.dTxFilterSpectrum);
        out.dTxTimeData = s.dTxWaveform;
    } else if (r.tx == StageForm::Waveform) {
        FormStage(h.dTxResponse, s.dTxImpulses, StageForm::Waveform, out.dTxFilterSpectrum,
                  out.dTxTimeData);
    } else {
        ComplexProductWithCopy(h.dTxResponse, s.dTxImpulses, out.dTxFilterSpectrum,
                               out.dTxTimeData);
    }
    FormStage(h.dChannelResponse, out.dTxFilterSpectrum, r.channel, out.dChannelSpectrum,
              out.dChannelTimeData);
}

}  // namespace linelab
