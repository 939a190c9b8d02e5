#include "receiver/SpectrumAverage.h"

#include <algorithm>
#include <cmath>

#include "common/TextNumber.h"

namespace linelab {
namespace {

constexpr int kPlotPoints = 512;     // points across the panel, 0 to 4 kHz
constexpr int kStoredPoints = 1024;  // elements a memory copy takes
constexpr double kLastElement = kSignalFloats - 1;

}  // namespace

void UpdateMemoryTrace(MemoryBox box, const SpectrumAverage& average, SpectrumAverage& memory,
                       bool& bStored) {
    if (box.visible && !box.checked) bStored = false;
    if (box.visible && !bStored && box.checked) {
        std::copy_n(average.begin(), kStoredPoints, memory.begin());
        bStored = true;
    } else if (!box.visible) {
        bStored = false;
    }
}

// At rate 1.0 (and its halves) the two elements of point i are the real and imaginary part
// of one bin; at other rates they may belong to neighbouring bins, which still gives the
// power near that frequency.
void AccumulateSpectrum(const Signal& dFreqData, SpectrumAverage& average, int32_t& count,
                        double dBaudRate) {
    const double rate = UsableBaudRate(dBaudRate);
    // A negative count cannot come from counting; it restarts the mean like 0 does.
    const int32_t n = NextCount(std::max(count, int32_t{0}));
    count = n;
    const double previousWeight = static_cast<double>(n) - 1;
    for (int i = 0; i < kPlotPoints; ++i) {
        // Held inside the run's 4096 values for any positive rate.
        const double a = std::min(RoundHalfEven(2 * i / rate), kLastElement);
        const double b = std::min(RoundHalfEven(2 * i / rate + 1), kLastElement);
        const double p = std::pow(dFreqData[static_cast<int>(a)], 2) +
                         std::pow(dFreqData[static_cast<int>(b)], 2);
        average[i] = (previousWeight * average[i] + p) / n;
    }
}

void UpdateSpectrumPanel(RunState& s, const Signal& dFreqData, SpectrumAverage& average,
                         int32_t& count, MemoryBox box) {
    UpdateMemoryTrace(box, average, s.dMemorySpectrum, s.bMemoryStored);
    AccumulateSpectrum(dFreqData, average, count, s.dBaudRate);
}

}  // namespace linelab
