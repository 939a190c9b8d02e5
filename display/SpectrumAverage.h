#pragma once
// The running averages behind the spectrum panels and the stored memory trace: the routines a
// spectrum view runs on each frame it is fed (display/FrameViews.h), before it is drawn.
// Drawing only reads them.

#include <cstdint>

#include "common/RunState.h"
#include "common/Signal.h"

namespace linelab {

// What the memory box says: shown or not, checked or not.
struct MemoryBox {
    bool visible = false;
    bool checked = false;
};

// Stores the average as it stands (before this run is added) when the box is shown and
// checked and nothing is stored yet; hiding or unchecking the box forgets the stored trace.
void UpdateMemoryTrace(MemoryBox box, const SpectrumAverage& average, SpectrumAverage& memory,
                       bool& bStored);

// Adds this run's power to the running mean of points 0..511 and counts the run. Point i
// stands for the same frequency at every rate and takes the two run elements around it; a
// rate that is not a positive finite number works as 1.0.
void AccumulateSpectrum(const Signal& dFreqData, SpectrumAverage& average, int32_t& count,
                        double dBaudRate);

}  // namespace linelab
