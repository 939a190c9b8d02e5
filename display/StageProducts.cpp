#include "display/StageProducts.h"

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"

namespace linelab {
namespace {

const StageSignals& NoStages() {
    static const StageSignals none{};
    return none;
}

// Forms a stage from spectrum x through response h: the spectrum alone, or with its copy,
// made in the same pass, transformed into the waveform.
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
    : own_(other.own_ ? std::make_unique<StageSignals>(*other.own_) : nullptr),
      txRun_(other.txRun_) {}

StageProducts& StageProducts::operator=(const StageProducts& other) {
    if (this != &other) {
        own_ = other.own_ ? std::make_unique<StageSignals>(*other.own_) : nullptr;
        txRun_ = other.txRun_;
    }
    return *this;
}

const StageSignals& StageProducts::Own() const {
    return own_ ? *own_ : NoStages();
}

StageSignals& StageProducts::OwnToForm() {
    if (!own_) own_ = std::make_unique<StageSignals>();
    return *own_;
}

const Signal& StageProducts::TxFilterSpectrum() const {
    return txRun_ != nullptr ? txRun_->dTxSpectrum : Own().dTxFilterSpectrum;
}
const Signal& StageProducts::TxTimeData() const {
    return txRun_ != nullptr ? txRun_->dTxWaveform : Own().dTxTimeData;
}
const Signal& StageProducts::ChannelSpectrum() const {
    return Own().dChannelSpectrum;
}
const Signal& StageProducts::ChannelTimeData() const {
    return Own().dChannelTimeData;
}

void StageProducts::Form(const Frame& f, StageRequest r) {
    if (f.run == nullptr) return;
    if (r.tx == StageForm::None && r.channel == StageForm::None) return;
    const RunState& s = f.Run();
    const Responses& h = s.responses;
    if (f.txWaveformFormed) {
        txRun_ = &s;
    } else {
        txRun_ = nullptr;
        StageSignals& out = OwnToForm();
        // dTxTimeData takes the transmit spectrum's copy whenever that is formed (the starting
        // point of the waveform, and what the run state has always recorded beside it).
        if (r.tx == StageForm::Waveform) {
            FormStage(h.dTxResponse, s.dTxImpulses, StageForm::Waveform, out.dTxFilterSpectrum,
                      out.dTxTimeData);
        } else {
            ComplexProductWithCopy(h.dTxResponse, s.dTxImpulses, out.dTxFilterSpectrum,
                                   out.dTxTimeData);
        }
    }
    if (r.channel == StageForm::None) return;
    StageSignals& out = OwnToForm();
    FormStage(h.dChannelResponse, TxFilterSpectrum(), r.channel, out.dChannelSpectrum,
              out.dChannelTimeData);
}

}  // namespace linelab
