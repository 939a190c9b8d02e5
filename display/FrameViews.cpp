#include "display/FrameViews.h"

#include <algorithm>

namespace linelab {

double TxEyeScale(int position) {
    return (position + 50.0) / 100.0 * 3.0;
}

void FrameViews::TakeFrame(const Frame& f, ViewSettings settings) {
    if (f.run == nullptr) return;
    const RunState& s = f.Run();
    stages.Form(f, PanelRequest(f.fed));
    if (f.fed[PanelId::TxEye] || f.fed[PanelId::ChannelEye]) SetTxEyeScale(settings.txEyeScale);
    const MemoryBox box{settings.memory, settings.memory};
    const auto update = [&](PanelId panel, const Signal& spectrum, SpectrumAverage& average,
                            int32_t& count) {
        if (!f.fed[panel]) return;
        UpdateMemoryTrace(box, average, dMemorySpectrum, bMemoryStored);
        AccumulateSpectrum(spectrum, average, count, s.dBaudRate);
    };
    update(PanelId::TxSpectrum, stages.TxFilterSpectrum(), dTxSpectrumAvg, lTxSpectra);
    update(PanelId::ChannelSpectrum, stages.ChannelSpectrum(), dChannelSpectrumAvg,
           lChannelSpectra);
    update(PanelId::RxSpectrum, s.dRxSpectrum, dRxSpectrumAvg, lRxSpectra);
}

void FrameViews::RestartSpectrum(SpectrumPanel panel) {
    switch (panel) {
        case SpectrumPanel::Tx:
            lTxSpectra = 0;
            break;
        case SpectrumPanel::Channel:
            lChannelSpectra = 0;
            break;
        case SpectrumPanel::Rx:
            lRxSpectra = 0;
            break;
    }
}

void FrameViews::EmptyMemoryTrace() {
    std::fill_n(dMemorySpectrum.begin(), 1024, 0.0);
}

const SpectrumAverage& FrameViews::Average(SpectrumPanel panel) const {
    switch (panel) {
        case SpectrumPanel::Tx:
            return dTxSpectrumAvg;
        case SpectrumPanel::Channel:
            return dChannelSpectrumAvg;
        case SpectrumPanel::Rx:
            break;
    }
    return dRxSpectrumAvg;
}

}  // namespace linelab
