#pragma once
// What the views keep from one frame to the next, outside the run: the transmit and channel
// stages their panels show, the spectrum panels' running averages and counts, the stored
// memory trace, and the scale the transmit and channel eyes are drawn at. A tick computes the
// same whatever is shown; its owner hands each frame here before drawing it, the stages are
// formed for the panels the frame fed, and only the spectrum panels it fed add the run to
// their average (a panel switched off neither averages nor counts, and one switched on again
// starts afresh, since its box restarts it).

#include <cstdint>

#include "display/SpectrumAverage.h"
#include "display/StageProducts.h"
#include "ports/Frame.h"
#include "ports/Panels.h"

namespace linelab {

// The transmit eye scale for a position of its slider: 1.5 at 0, 4.5 at 100.
double TxEyeScale(int position);

// The view settings a frame is taken with, read by the owner from its controls.
struct ViewSettings {
    bool memory = false;  // the memory box shown and checked: a spectrum trace is kept
    int txEyeScale = 0;   // the transmit and channel eyes' scale slider, 0..100
};

struct FrameViews {
    StageProducts stages;  // the transmit and channel stages, as last formed
    SpectrumAverage dTxSpectrumAvg{};
    SpectrumAverage dChannelSpectrumAvg{};
    SpectrumAverage dRxSpectrumAvg{};
    int32_t lTxSpectra = 0;
    int32_t lChannelSpectra = 0;
    int32_t lRxSpectra = 0;
    // One trace for every spectrum panel: the first average that meets the checked box.
    SpectrumAverage dMemorySpectrum{};
    bool bMemoryStored = false;
    double dTxEyeScale = 0;

    // The transmit and channel stages formed for the panels `frame` fed, then the run added
    // to the averages of the spectrum panels it fed, in the order of the chain (transmitter,
    // channel, receiver), each after the memory trace has seen the average as it stood; the
    // eye scale follows the slider while a transmit or channel eye is fed.
    void TakeFrame(const Frame& frame, ViewSettings settings);

    // One spectrum panel's average starts again with the next frame.
    void RestartSpectrum(SpectrumPanel panel);
    // Empties the stored memory trace; it stays "stored", so a copy is taken again only when
    // the memory box is checked anew.
    void EmptyMemoryTrace();
    void SetTxEyeScale(int position) { dTxEyeScale = TxEyeScale(position); }

    const SpectrumAverage& Average(SpectrumPanel panel) const;
    // The stored trace, or nullptr when none is stored.
    const SpectrumAverage* StoredMemory() const {
        return bMemoryStored ? &dMemorySpectrum : nullptr;
    }
};

}  // namespace linelab
